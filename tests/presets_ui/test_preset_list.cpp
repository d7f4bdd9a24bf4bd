// The preset list: the entries before and after loading, what the hub's calls change,
// how rows are drawn (current row, edited mark), opening and closing the list, and
// what a pick does with and without a pending edit.
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QPointer>
#include <QtTest>

#include <memory>

#include "down_menu_view.h"
#include "preset_screen_fixture.h"
#include "preset_list_model.h"
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
    explicit Screen(bool load = true, Qt::Orientation orientation = Qt::Vertical)
        : PresetScreen(orientation, load ? loadedEntries() : QStringList()) {}

    QVariant role(int row, int r) const { return root->presetListModel()->index(row).data(r); }
    QString mark(int row) const { return role(row, PresetListModel::EditedMarkRole).toString(); }

    void openList() {
        if (!root->isPresetListShown())
            QTest::mouseClick(root->presetNameHY(), Qt::LeftButton);
    }
    void clickRow(int row) {
        openList();
        QListView* list = root->tableView();
        const QModelIndex index = root->presetListModel()->index(row);
        list->scrollTo(index);
        const QRect r = list->visualRect(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
};

bool near(const QColor& a, const QColor& b, int tolerance = 3) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// Pixels in a rectangle of an image that are close to a colour.
int countNear(const QImage& image, const QRect& area, const QColor& colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += near(image.pixelColor(x, y), colour, 40) ? 1 : 0;
    return n;
}

}  // namespace

class PresetListTest : public QObject {
    Q_OBJECT
private slots:
    void bareLabelsBeforeLoading();
    void loadedNamesReplaceTheLabels();
    void oneEntryChangesAndShowsInHeader();
    void pedalSelectionMovesCurrentRowAndClearsMark();
    void rolesGiveCurrentRowAndMarkOnlyWhenEdited();
    void drawnRowsFollowTheRoles();
    void headerTogglesListAndPressElsewhereClosesIt_data();
    void headerTogglesListAndPressElsewhereClosesIt();
    void keyboardPicksAndCloses();
    void pickWithoutEditIsImmediate();
    void pickWhileEditedRunsSaveDialogThenPicksLater_data();
    void pickWhileEditedRunsSaveDialogThenPicksLater();
    void pendingPickDiesWithScreen();
    void laterPickReplacesWaitingOne();
};

void PresetListTest::bareLabelsBeforeLoading() {
    Screen s(false);
    const QStringList arr = s.root->presetNameArr();
    QCOMPARE(arr.size(), 300);
    QCOMPARE(arr[0], QString("001A"));
    QCOMPARE(arr[2], QString("001C"));
    QCOMPARE(arr[3], QString("002A"));
    QCOMPARE(arr[4], QString("002B"));
    QCOMPARE(arr[299], QString("100C"));
    for (const QString& label : arr) QVERIFY2(label.size() == 4 && !label.contains(':'), qPrintable(label));
    QCOMPARE(s.role(299, Qt::DisplayRole).toString(), QString("100C"));
    QCOMPARE(s.root->selectedCell(), 0);
    QCOMPARE(s.root->presetNameHY()->text(), QString("001A"));
    QCOMPARE(s.root->presetNameHY()->state(), downMenuView::kClosed);
    QVERIFY(!s.root->isPresetListShown());
}

void PresetListTest::loadedNamesReplaceTheLabels() {
    Screen s(false);
    s.root->UpdataPresetListName(loadedEntries());
    QCOMPARE(s.root->presetNameArr(), loadedEntries());
    QCOMPARE(s.role(10, Qt::DisplayRole).toString(), QString("004B:NAME 10"));
    // The header follows the current slot's new text.
    QCOMPARE(s.root->presetNameHY()->text(), QString("001A:NAME 0"));
    QCOMPARE(s.root->presetName()->text(), QString("001A:NAME 0"));
}

void PresetListTest::oneEntryChangesAndShowsInHeader() {
    Screen s;
    s.root->UpdataPresetListIndex(4, "002B:ROCK");
    QCOMPARE(s.root->presetNameArr()[4], QString("002B:ROCK"));
    QCOMPARE(s.root->presetNameArr()[3], QString("002A:NAME 3"));
    QCOMPARE(s.root->presetNameArr()[5], QString("002C:NAME 5"));
    // Another slot than the current one: the header keeps naming the current preset.
    QCOMPARE(s.root->presetName()->text(), QString("001A:NAME 0"));
    QCOMPARE(s.root->presetNameHY()->text(), QString("001A:NAME 0"));
    QCOMPARE(s.root->selectedCell(), 0);
    s.root->UpdataCurrentPresetSelect(4);
    s.root->UpdataPresetListIndex(4, "002B:ROCK");
    QCOMPARE(s.root->presetName()->text(), QString("002B:ROCK"));
    QCOMPARE(s.root->presetNameHY()->text(), QString("002B:ROCK"));

    // Slots outside the list change nothing.
    s.root->UpdataPresetListIndex(300, "101A:BAD");
    s.root->UpdataPresetListIndex(-1, "000A:BAD");
    QCOMPARE(s.root->presetNameArr(), [] {
        QStringList e = loadedEntries();
        e[4] = "002B:ROCK";
        return e;
    }());
    QCOMPARE(s.root->presetName()->text(), QString("002B:ROCK"));
}

void PresetListTest::pedalSelectionMovesCurrentRowAndClearsMark() {
    Screen s;
    s.hub.edited = true;
    // What the hub does when the pedal changes preset.
    s.root->UpdataCurrentPresetSelect(150);
    s.root->UpdataPresetListIndex(150, "051A:LEAD");
    s.root->UpdataCurrentPresetSelect(150);

    QCOMPARE(s.root->selectedCell(), 150);
    QVERIFY(!s.hub.edited);
    QCOMPARE(s.hub.count("ChangeCurrentPreset"), 0);  // nothing goes back to the pedal
    QCOMPARE(s.hub.trace().first(), QString("SetIsChangeGuiData(0)"));
    QCOMPARE(s.root->presetNameHY()->text(), QString("051A:LEAD"));
    QCOMPARE(s.root->presetName()->text(), QString("051A:LEAD"));
    QCOMPARE(s.role(150, PresetListModel::IsSelectedCellRole).toBool(), true);
    QCOMPARE(s.role(0, PresetListModel::IsSelectedCellRole).toBool(), false);
    QCOMPARE(s.root->tableView()->currentIndex().row(), 150);

    // Opening the list shows the current row.
    s.openList();
    QListView* list = s.root->tableView();
    QVERIFY(list->viewport()->rect().intersects(list->visualRect(s.root->presetListModel()->index(150))));

    s.root->UpdataCurrentPresetSelect(300);
    s.root->UpdataCurrentPresetSelect(-1);
    QCOMPARE(s.root->selectedCell(), 150);
}

void PresetListTest::rolesGiveCurrentRowAndMarkOnlyWhenEdited() {
    Screen s;
    s.root->UpdataCurrentPresetSelect(7);
    const QColor teal = QColor::fromRgbF(0.0f, 0.9f, 0.76f);

    for (bool edited : {false, true}) {
        s.hub.edited = edited;
        for (int row = 0; row < 300; ++row) {
            const bool current = row == 7;
            QCOMPARE(s.mark(row), current && edited ? QString("*") : QString());
            QCOMPARE(s.role(row, Qt::BackgroundRole).value<QBrush>().color(), current ? teal : QColor(Qt::black));
            QCOMPARE(s.role(row, Qt::ForegroundRole).value<QBrush>().color(),
                     current ? QColor(Qt::black) : QColor(Qt::white));
            QCOMPARE(s.role(row, Qt::DisplayRole).toString(), loadedEntries()[row]);
        }
        QCOMPARE(s.role(7, Qt::AccessibleTextRole).toString(),
                 edited ? QString("003B:NAME 7 *") : QString("003B:NAME 7"));
    }

    // The flag going down through the hub takes the mark away at once.
    QSignalSpy changed(s.root->presetListModel(), &PresetListModel::dataChanged);
    s.hub.SetIsChangeGuiData(false);
    QVERIFY(changed.count() >= 1);
    QCOMPARE(s.mark(7), QString());
}

void PresetListTest::drawnRowsFollowTheRoles() {
    Screen s;
    QVERIFY(s.exposed);
    s.root->UpdataCurrentPresetSelect(2);
    s.openList();
    QListView* list = s.root->tableView();
    QFrame* frame = s.root->scrollView();
    QCOMPARE(frame->parentWidget(), &s.window);
    QVERIFY(frame->width() >= 266);

    const QRect current = list->visualRect(s.root->presetListModel()->index(2));
    const QRect other = list->visualRect(s.root->presetListModel()->index(3));
    QCOMPARE(current.height(), 40);
    QCOMPARE(other.height(), 40);

    // Right end of the current row, where the mark goes.
    const QRect markArea(current.right() - 30, current.top() + 4, 26, current.height() - 8);

    s.hub.edited = false;
    s.root->reloadData();
    QImage plain = list->viewport()->grab().toImage();
    QVERIFY(near(plain.pixelColor(8, current.center().y()), QColor::fromRgbF(0.0f, 0.9f, 0.76f)));
    QVERIFY(near(plain.pixelColor(8, other.center().y()), Qt::black));
    // White text on the other rows, black text on the current one.
    QVERIFY(countNear(plain, other.adjusted(10, 4, -40, -4), Qt::white) > 10);
    QVERIFY(countNear(plain, current.adjusted(10, 4, -40, -4), Qt::black) > 10);
    QCOMPARE(countNear(plain, markArea, Qt::black), 0);

    s.hub.edited = true;
    s.root->reloadData();
    const QImage marked = list->viewport()->grab().toImage();
    QVERIFY(countNear(marked, markArea, Qt::black) > 5);
    // No mark on any other row.
    const QRect otherMark(other.right() - 30, other.top() + 4, 26, other.height() - 8);
    QCOMPARE(countNear(marked, otherMark, Qt::white), 0);

    // The 2-pixel border in RGB (0, 0.9, 0.77).
    const QImage border = frame->grab().toImage();
    const QColor edge = QColor::fromRgbF(0.0f, 0.9f, 0.77f);
    QVERIFY(near(border.pixelColor(0, border.height() / 2), edge));
    QVERIFY(near(border.pixelColor(1, border.height() / 2), edge));
    QVERIFY(near(border.pixelColor(border.width() / 2, 0), edge));
}

void PresetListTest::headerTogglesListAndPressElsewhereClosesIt_data() {
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::newRow("down the side") << Qt::Vertical;
    QTest::newRow("across the top") << Qt::Horizontal;
}

void PresetListTest::headerTogglesListAndPressElsewhereClosesIt() {
    QFETCH(Qt::Orientation, orientation);
    Screen s(true, orientation);
    QVERIFY(s.exposed);
    downMenuView* header = s.root->presetNameHY();

    QTest::mouseClick(header, Qt::LeftButton);
    QCOMPARE(header->state(), downMenuView::kOpen);
    QVERIFY(s.root->isPresetListShown());
    // Right under the header, on top of everything, inside the window, several rows high.
    QFrame* list = s.root->scrollView();
    const QPoint headerBottomLeft = header->mapTo(&s.window, QPoint(0, header->height()));
    QVERIFY(list->y() >= headerBottomLeft.y() && list->y() <= headerBottomLeft.y() + 8);
    QCOMPARE(list->x(), headerBottomLeft.x());
    QVERIFY(s.window.rect().contains(list->geometry()));
    QVERIFY(list->height() >= 5 * 40);
    QCOMPARE(s.window.childAt(list->geometry().center()), s.root->tableView()->viewport());

    QTest::mouseClick(header, Qt::LeftButton);
    QCOMPARE(header->state(), downMenuView::kClosed);
    QVERIFY(!s.root->isPresetListShown());

    // A press inside the list leaves it open; one on the window elsewhere closes it.
    QTest::mouseClick(header, Qt::LeftButton);
    QTest::mousePress(s.root->scrollView(), Qt::LeftButton, {}, QPoint(1, 100));
    QVERIFY(s.root->isPresetListShown());
    QTest::mouseClick(&s.window, Qt::LeftButton, {}, QPoint(900, 600));
    QVERIFY(!s.root->isPresetListShown());
    QCOMPARE(header->state(), downMenuView::kClosed);

    // On the screen's own background too.
    QTest::mouseClick(header, Qt::LeftButton);
    QTest::mouseClick(s.root, Qt::LeftButton, {}, QPoint(s.root->width() - 3, 3));
    QVERIFY(!s.root->isPresetListShown());

    // Set from code the same way.
    s.root->composeToolDownMenuOpenState(1);
    QVERIFY(s.root->isPresetListShown());
    QCOMPARE(header->state(), downMenuView::kOpen);
    s.root->composeToolDownMenuOpenState(7);
    QVERIFY(!s.root->isPresetListShown());
    QCOMPARE(header->state(), downMenuView::kClosed);
}

void PresetListTest::keyboardPicksAndCloses() {
    Screen s;
    QVERIFY(s.exposed);
    s.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    s.root->presetNameHY()->setFocus();
    QTest::keyClick(s.root->presetNameHY(), Qt::Key_Space);
    QVERIFY(s.root->isPresetListShown());
    QListView* list = s.root->tableView();
    QVERIFY(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(s.root->selectedCell(), 2);
    QCOMPARE(s.hub.trace(), QStringList({"SetIsChangeGuiData(0)", "ChangeCurrentPreset(2)"}));
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
    // The flag goes down before the slot is asked for, so that what the hub shows
    // for the new slot is not marked.
    QCOMPARE(s.hub.trace(), QStringList({"SetIsChangeGuiData(0)", "ChangeCurrentPreset(4)"}));
    QCOMPARE(s.root->presetNameHY()->text(), QString("002B:NAME 4"));
    QCOMPARE(s.root->presetName()->text(), QString("002B:NAME 4"));
    QCOMPARE(s.role(4, PresetListModel::IsSelectedCellRole).toBool(), true);

    QVERIFY(s.root->tableViewShouldSelectRow(299));
    QCOMPARE(s.root->selectedCell(), 299);
    QVERIFY(!s.root->tableViewShouldSelectRow(300));
    QCOMPARE(s.root->selectedCell(), 299);
    QCOMPARE(s.hub.count("ChangeCurrentPreset"), 2);
}

void PresetListTest::pickWhileEditedRunsSaveDialogThenPicksLater_data() {
    QTest::addColumn<QString>("answer");
    QTest::newRow("saved") << "save";
    QTest::newRow("cancelled") << "cancel";
    QTest::newRow("window closed") << "close";
}

void PresetListTest::pickWhileEditedRunsSaveDialogThenPicksLater() {
    QFETCH(QString, answer);
    Screen s;
    QVERIFY(s.exposed);
    s.root->UpdataPresetListIndex(0, "001A:CLEAN");
    s.hub.edited = true;

    int dialogs = 0;
    qint64 dialogIndex = -1;
    QString dialogName;
    int picksDuringDialog = -1;
    s.root->setSaveWindowRunner([&](SaveWindowController& dialog) {
        ++dialogs;
        dialogIndex = dialog.indexNumber();
        dialogName = dialog.presetNameText();
        picksDuringDialog = s.hub.count("ChangeCurrentPreset");
        if (answer == "save")
            dialog.save();
        else if (answer == "cancel")
            dialog.cancel();
        else
            dialog.close();
    });

    QElapsedTimer clock;
    clock.start();
    s.clickRow(7);

    QCOMPARE(dialogs, 1);
    QCOMPARE(dialogIndex, qint64(0));
    QCOMPARE(dialogName, QString("CLEAN"));
    QCOMPARE(picksDuringDialog, 0);
    // Nothing is picked yet.
    QCOMPARE(s.hub.count("ChangeCurrentPreset"), 0);
    QCOMPARE(s.root->selectedCell(), 0);
    QCOMPARE(s.hub.edited, answer != "save");
    QTest::qWait(250);
    QCOMPARE(s.hub.count("ChangeCurrentPreset"), 0);

    QTRY_COMPARE_WITH_TIMEOUT(s.hub.count("ChangeCurrentPreset"), 1, 3000);
    QVERIFY2(clock.elapsed() >= 470, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(s.root->selectedCell(), 7);
    QVERIFY(!s.hub.edited);
    QCOMPARE(s.root->presetNameHY()->text(), QString("003B:NAME 7"));
    QCOMPARE(s.mark(7), QString());

    QStringList expected;
    if (answer == "save")
        expected << "SavePresetChange(0,CLEAN)"
                 << "SetIsChangeGuiData(0)";
    expected << "SetIsChangeGuiData(0)"
             << "ChangeCurrentPreset(7)";
    QCOMPARE(s.hub.trace(), expected);

    // Exactly one pick.
    QTest::qWait(600);
    QCOMPARE(s.hub.count("ChangeCurrentPreset"), 1);
}

void PresetListTest::pendingPickDiesWithScreen() {
    FakePresetHub hub;
    hub.edited = true;
    auto root = std::make_unique<RootViewController>(hub);
    root->setSaveWindowRunner([](SaveWindowController& d) { d.cancel(); });
    QVERIFY(!root->tableViewShouldSelectRow(5));
    root.reset();
    QTest::qWait(700);
    QCOMPARE(hub.count("ChangeCurrentPreset"), 0);
}

void PresetListTest::laterPickReplacesWaitingOne() {
    Screen s;
    s.hub.edited = true;
    s.root->setSaveWindowRunner([](SaveWindowController& d) { d.save(); });
    QVERIFY(!s.root->tableViewShouldSelectRow(5));
    // The save cleared the mark, so the next pick goes through at once...
    QVERIFY(s.root->tableViewShouldSelectRow(9));
    QCOMPARE(s.root->selectedCell(), 9);
    // ...and the waiting pick of 5 no longer comes.
    QTest::qWait(800);
    QCOMPARE(s.root->selectedCell(), 9);
    QCOMPARE(s.hub.count("ChangeCurrentPreset"), 1);
}

QTEST_MAIN(PresetListTest)
#include "test_preset_list.moc"
