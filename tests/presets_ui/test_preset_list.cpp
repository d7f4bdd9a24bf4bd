// The preset list: the entries before and after loading, what the hub's calls change,
// the current row and the edited mark, opening and closing the list, and what a pick
// does with and without a pending edit.
#include <QLabel>
#include <QListView>
#include <QtTest>

#include <memory>

#include "down_menu_view.h"
#include "preset_list_model.h"
#include "preset_screen_fixture.h"
#include "root_view_controller.h"
#include "save_window_controller.h"

using quorvex::downMenuView;
using quorvex::PresetListModel;
using quorvex::RootViewController;
using quorvex::SaveWindowController;

namespace {

QStringList loadedEntries() {
    QStringList entries;
    for (int slot = 0; slot < 300; ++slot)
        entries << QString::asprintf("%03d%c:NAME %d", slot / 3 + 1, "ABC"[slot % 3], slot);
    return entries;
}

struct Screen : PresetScreen {
    explicit Screen(bool load = true) : PresetScreen(load ? loadedEntries() : QStringList()) {}

    QVariant role(int row, int r) const { return root->presetListModel()->index(row).data(r); }
    QString mark(int row) const { return role(row, PresetListModel::EditedMarkRole).toString(); }
    QString header() const { return root->presetNameHY()->text(); }

    void clickRow(int row) {
        if (!root->isPresetListShown())
            QTest::mouseClick(root->presetNameHY(), Qt::LeftButton);
        QListView* list = root->tableView();
        const QModelIndex index = root->presetListModel()->index(row);
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    }
};

}  // namespace

class PresetListTest : public QObject {
    Q_OBJECT
private slots:
    void bareLabelsUntilTheNamesArrive();
    void oneEntryChangesTheHeaderOnlyForTheCurrentSlot();
    void pedalSelectionMovesTheCurrentRowAndClearsTheMark();
    void currentRowAndMarkOnlyWhenEdited();
    void headerTogglesTheListAndAPressElsewhereClosesIt();
    void keyboardPicksAndCloses();
    void pickWithoutEditIsImmediate();
    void pickWhileEditedRunsTheSaveDialogThenPicksLater_data();
    void pickWhileEditedRunsTheSaveDialogThenPicksLater();
    void pendingPickDiesWithTheScreen();
    void laterPickReplacesTheWaitingOne();
};

void PresetListTest::bareLabelsUntilTheNamesArrive() {
    Screen s(false);
    const QStringList bare = s.root->presetNameArr();
    QCOMPARE(bare.size(), 300);
    QCOMPARE((QStringList{bare[0], bare[4], bare[299]}), (QStringList{"001A", "002B", "100C"}));
    QCOMPARE(s.header(), QString("001A"));

    s.root->UpdataPresetListName(loadedEntries());
    QCOMPARE(s.root->presetNameArr(), loadedEntries());
    QCOMPARE(s.header(), QString("001A:NAME 0"));
    QCOMPARE(s.root->presetName()->text(), QString("001A:NAME 0"));
}

void PresetListTest::oneEntryChangesTheHeaderOnlyForTheCurrentSlot() {
    Screen s;
    s.root->UpdataPresetListIndex(4, "002B:ROCK");
    QCOMPARE(s.root->presetNameArr()[4], QString("002B:ROCK"));
    QCOMPARE(s.root->presetNameArr()[5], QString("002C:NAME 5"));
    QCOMPARE(s.header(), QString("001A:NAME 0"));  // the header names the current preset
    s.root->UpdataCurrentPresetSelect(4);
    s.root->UpdataPresetListIndex(4, "002B:LEAD");
    QCOMPARE(s.header(), QString("002B:LEAD"));
    QCOMPARE(s.root->presetName()->text(), QString("002B:LEAD"));
    // Slots outside the list change nothing.
    s.root->UpdataPresetListIndex(300, "101A:BAD");
    s.root->UpdataPresetListIndex(-1, "000A:BAD");
    QCOMPARE(s.root->presetNameArr().mid(0, 4), loadedEntries().mid(0, 4));
    QCOMPARE(s.root->presetNameArr().mid(5), loadedEntries().mid(5));
}

void PresetListTest::pedalSelectionMovesTheCurrentRowAndClearsTheMark() {
    Screen s;
    s.hub.edited = true;
    s.root->UpdataCurrentPresetSelect(150);
    QCOMPARE(s.root->selectedCell(), 150);
    QVERIFY(!s.hub.edited);
    QCOMPARE(s.hub.calls, QStringList({"SetIsChangeGuiData(0)"}));  // nothing goes back to the pedal
    QCOMPARE(s.header(), QString("051A:NAME 150"));
    QCOMPARE(s.root->tableView()->currentIndex().row(), 150);
    s.root->UpdataCurrentPresetSelect(300);
    s.root->UpdataCurrentPresetSelect(-1);
    QCOMPARE(s.root->selectedCell(), 150);
}

void PresetListTest::currentRowAndMarkOnlyWhenEdited() {
    Screen s;
    s.root->UpdataCurrentPresetSelect(7);
    const QColor teal = QColor::fromRgbF(0.0f, 0.9f, 0.76f);
    for (bool edited : {false, true}) {
        s.hub.edited = edited;
        for (int row : {6, 7, 8}) {
            const bool current = row == 7;
            QCOMPARE(s.role(row, PresetListModel::IsSelectedCellRole).toBool(), current);
            QCOMPARE(s.mark(row), current && edited ? QString("*") : QString());
            QCOMPARE(s.role(row, Qt::BackgroundRole).value<QBrush>().color(), current ? teal : QColor(Qt::black));
            QCOMPARE(s.role(row, Qt::ForegroundRole).value<QBrush>().color(),
                     current ? QColor(Qt::black) : QColor(Qt::white));
        }
        QCOMPARE(s.role(7, Qt::AccessibleTextRole).toString(),
                 edited ? QString("003B:NAME 7 *") : QString("003B:NAME 7"));
    }
}

void PresetListTest::headerTogglesTheListAndAPressElsewhereClosesIt() {
    Screen s;
    QVERIFY(s.exposed);
    downMenuView* header = s.root->presetNameHY();
    QTest::mouseClick(header, Qt::LeftButton);
    QCOMPARE(header->state(), downMenuView::kOpen);
    QVERIFY(s.root->isPresetListShown());
    QTest::mouseClick(header, Qt::LeftButton);
    QCOMPARE(header->state(), downMenuView::kClosed);
    QVERIFY(!s.root->isPresetListShown());

    // A press inside the list leaves it open; one elsewhere in the window closes it.
    QTest::mouseClick(header, Qt::LeftButton);
    QTest::mousePress(s.root->scrollView(), Qt::LeftButton, {}, QPoint(1, 100));
    QVERIFY(s.root->isPresetListShown());
    QTest::mouseClick(&s.window, Qt::LeftButton, {}, QPoint(900, 600));
    QVERIFY(!s.root->isPresetListShown());
    QCOMPARE(header->state(), downMenuView::kClosed);
}

void PresetListTest::keyboardPicksAndCloses() {
    Screen s;
    s.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    s.root->presetNameHY()->setFocus();
    QTest::keyClick(s.root->presetNameHY(), Qt::Key_Return);
    QListView* list = s.root->tableView();
    QVERIFY(s.root->isPresetListShown() && list->hasFocus());
    list->setCurrentIndex(s.root->presetListModel()->index(2));
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(s.root->selectedCell(), 2);
    QTest::keyClick(list, Qt::Key_Escape);
    QVERIFY(!s.root->isPresetListShown());
    QVERIFY(s.root->presetNameHY()->hasFocus());
}

void PresetListTest::pickWithoutEditIsImmediate() {
    Screen s;
    QVERIFY(s.exposed);
    int dialogs = 0;
    s.root->setSaveWindowRunner([&](SaveWindowController&) { ++dialogs; });
    s.clickRow(4);
    QCOMPARE(dialogs, 0);
    QCOMPARE(s.root->selectedCell(), 4);
    // The flag goes down before the slot is asked for, so that what the hub shows for
    // the new slot is not marked.
    QCOMPARE(s.hub.calls, QStringList({"SetIsChangeGuiData(0)", "ChangeCurrentPreset(4)"}));
    QCOMPARE(s.header(), QString("002B:NAME 4"));
    QVERIFY(!s.root->tableViewShouldSelectRow(300));
    QCOMPARE(s.root->selectedCell(), 4);
}

void PresetListTest::pickWhileEditedRunsTheSaveDialogThenPicksLater_data() {
    QTest::addColumn<bool>("saved");
    QTest::newRow("saved") << true;
    QTest::newRow("cancelled") << false;
}

void PresetListTest::pickWhileEditedRunsTheSaveDialogThenPicksLater() {
    QFETCH(bool, saved);
    Screen s;
    QVERIFY(s.exposed);
    s.root->UpdataPresetListIndex(0, "001A:CLEAN");
    s.hub.edited = true;
    QString offered;
    s.root->setSaveWindowRunner([&](SaveWindowController& dialog) {
        offered = QString::number(dialog.indexNumber()) + ":" + dialog.presetNameText();
        saved ? dialog.save() : dialog.cancel();
    });
    s.clickRow(7);
    QCOMPARE(offered, QString("0:CLEAN"));
    QTest::qWait(250);  // the pick follows half a second later
    QCOMPARE(s.root->selectedCell(), 0);
    QCOMPARE(s.hub.count("ChangeCurrentPreset"), 0);
    QTRY_COMPARE_WITH_TIMEOUT(s.hub.count("ChangeCurrentPreset"), 1, 3000);
    QCOMPARE(s.root->selectedCell(), 7);
    QVERIFY(!s.hub.edited);
    QStringList expected;
    if (saved)
        expected << "SavePresetChange(0,CLEAN)" << "SetIsChangeGuiData(0)";
    expected << "SetIsChangeGuiData(0)" << "ChangeCurrentPreset(7)";
    QCOMPARE(s.hub.calls, expected);
}

void PresetListTest::pendingPickDiesWithTheScreen() {
    FakePresetHub hub;
    hub.edited = true;
    auto root = std::make_unique<RootViewController>(hub);
    root->setSaveWindowRunner([](SaveWindowController& d) { d.cancel(); });
    QVERIFY(!root->tableViewShouldSelectRow(5));
    root.reset();
    QTest::qWait(700);
    QCOMPARE(hub.count("ChangeCurrentPreset"), 0);
}

void PresetListTest::laterPickReplacesTheWaitingOne() {
    Screen s;
    s.hub.edited = true;
    s.root->setSaveWindowRunner([](SaveWindowController& d) { d.save(); });
    QVERIFY(!s.root->tableViewShouldSelectRow(5));
    // The save cleared the mark, so the next pick goes through at once...
    QVERIFY(s.root->tableViewShouldSelectRow(9));
    // ...and the waiting pick of 5 no longer comes.
    QTest::qWait(800);
    QCOMPARE(s.root->selectedCell(), 9);
    QCOMPARE(s.hub.count("ChangeCurrentPreset"), 1);
}

QTEST_MAIN(PresetListTest)
#include "test_preset_list.moc"
