// GPopUpButton: row texts with "EMPTY", selecting from code and by clicking, the
// height of the open list, closing on a press elsewhere, and the slot buttons.
#include <QFrame>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include "g_pop_up_button.h"

using quorvex::ui::GPopUpButton;

namespace {

QStringList names(int count) {
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral("NAME %1").arg(i);
    return list;
}

// A button in a shown main window, as the screens use it.
struct Screen {
    QWidget window;
    GPopUpButton* button;
    bool active = false;
    Screen() : button(new GPopUpButton(&window)) {
        button->setGeometry(20, 20, 200, 28);
        window.resize(400, 500);
        window.show();
        window.activateWindow();
        active = QTest::qWaitForWindowActive(&window);
    }
};

// Clicks a row of the open list where its text is, left of any slot buttons.
void clickRow(GPopUpButton* b, int row) {
    QListWidget* list = b->listView();
    list->scrollToItem(list->item(row));
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(r.left() + 15, r.center().y()));
}

QStringList shownRows(const GPopUpButton* b) {
    QStringList rows;
    for (int i = 0; i < b->listView()->count(); ++i)
        rows << b->listView()->item(i)->text();
    return rows;
}

}  // namespace

class GPopUpButtonTest : public QObject {
    Q_OBJECT
private slots:
    void rowsShowNumberAndNameOrEmpty();
    void setIndexNumberShowsNameWithoutAction();
    void setDataArrayShowsNameAsItIs();

    void listHeight_data();
    void listHeight();
    void openListHeightAndScrolling();

    void pressOnButtonToggles();
    void clickingRowSelectsAndActsDeferred();
    void chosenEmptyRowReadsEmpty();
    void returnPicksCurrentRow();
    void pressInOtherWindowClosesAndIsSwallowed();

    void slotButtonsOnlyFromRow26InSlotMode();
    void slotButtonsReportModeAndRow();
    void rowClickOnSlotRowStillPicks();
};

void GPopUpButtonTest::rowsShowNumberAndNameOrEmpty() {
    GPopUpButton b;
    b.setDataArray({"CRYING 95", "", "(null)", "AUTO WAH"});
    const QStringList expected{"1 CRYING 95", "2 EMPTY", "3 EMPTY", "4 AUTO WAH"};
    QCOMPARE(shownRows(&b), expected);
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(b.rowText(i), expected[i]);
    QCOMPARE(b.rowText(4), QString("5 EMPTY"));  // a row with no name at all
}

void GPopUpButtonTest::setIndexNumberShowsNameWithoutAction() {
    GPopUpButton b;
    QSignalSpy spy(&b, &GPopUpButton::action);
    b.setDataArray({"SM57", "", "(null)", "U87"});

    b.setIndexNumber(3);
    QCOMPARE(b.indexNumber(), qint64(3));
    QCOMPARE(b.itemLabel(), QString("U87"));
    QCOMPARE(b.listView()->currentRow(), 3);  // highlighted in the list
    b.setIndexNumber(1);
    QCOMPARE(b.itemLabel(), QString("EMPTY"));
    b.setIndexNumber(2);
    QCOMPARE(b.itemLabel(), QString("EMPTY"));
    b.setIndexNumber(7);
    QCOMPARE(b.indexNumber(), qint64(7));
    QCOMPARE(b.itemLabel(), QString("EMPTY"));
    b.setIndexNumber(-1);
    QCOMPARE(b.itemLabel(), QString("EMPTY"));
    QTest::qWait(20);
    QCOMPARE(spy.count(), 0);
}

void GPopUpButtonTest::setDataArrayShowsNameAsItIs() {
    GPopUpButton b;
    QSignalSpy spy(&b, &GPopUpButton::action);
    b.setIndexNumber(1);
    b.setDataArray({"A", "", "C"});
    QCOMPARE(b.itemLabel(), QString());  // no "EMPTY" here
    b.setDataArray({"A", "B", "C"});
    QCOMPARE(b.itemLabel(), QString("B"));
    QCOMPARE(b.indexNumber(), qint64(1));
    b.setDataArray({"A"});  // the selected row is gone
    QCOMPARE(b.itemLabel(), QString());
    QCOMPARE(b.listView()->count(), 1);
    QTest::qWait(20);
    QCOMPARE(spy.count(), 0);
}

void GPopUpButtonTest::listHeight_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("height");
    QTest::newRow("1") << 1 << 20;
    QTest::newRow("3") << 3 << 60;
    QTest::newRow("9: all shown") << 9 << 180;
    QTest::newRow("10: scrolls") << 10 << 210;
    QTest::newRow("12") << 12 << 210;
    QTest::newRow("36") << 36 << 210;
}

void GPopUpButtonTest::listHeight() {
    QFETCH(int, rows);
    QFETCH(int, height);
    QCOMPARE(GPopUpButton::listHeightForRows(rows), height);
}

void GPopUpButtonTest::openListHeightAndScrolling() {
    Screen screen;
    QVERIFY(screen.active);
    GPopUpButton* b = screen.button;

    b->setDataArray(names(12));
    b->showList();
    QVERIFY(b->listWindow()->isVisible());
    QCOMPARE(b->listWindow()->height(), 210);
    QCOMPARE(b->listView()->visualItemRect(b->listView()->item(0)).height(), 20);
    QVERIFY(b->listView()->verticalScrollBar()->maximum() > 0);
    b->hideList();

    b->setDataArray(names(3));
    b->showList();
    QCOMPARE(b->listWindow()->height(), 60);
    QCOMPARE(b->listView()->verticalScrollBar()->maximum(), 0);
    const QRect viewport = b->listView()->viewport()->rect();
    for (int i = 0; i < 3; ++i)
        QVERIFY(viewport.contains(b->listView()->visualItemRect(b->listView()->item(i))));
    // It opens right under the button.
    QCOMPARE(b->listWindow()->geometry().topLeft(), b->mapToGlobal(QPoint(0, b->height())));
    b->hideList();
}

void GPopUpButtonTest::pressOnButtonToggles() {
    Screen screen;
    QVERIFY(screen.active);
    GPopUpButton* b = screen.button;
    QSignalSpy spy(b, &GPopUpButton::action);
    b->setDataArray(names(5));
    QVERIFY(!b->isShow());
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(b->isShow());
    QVERIFY(b->listWindow()->isVisible());
    // While the list is open the press reaches the list window first, as it would
    // from the real pointer; it closes the list and goes no further.
    QTest::mouseClick(b->window()->windowHandle(), Qt::LeftButton, {}, b->geometry().center());
    QVERIFY(!b->isShow());
    QVERIFY(!b->listWindow()->isVisible());
    QTest::mouseClick(b, Qt::LeftButton);  // and opens again
    QVERIFY(b->isShow());
    b->toggleList();
    QVERIFY(!b->isShow());
    QTest::qWait(20);
    QCOMPARE(spy.count(), 0);
}

void GPopUpButtonTest::clickingRowSelectsAndActsDeferred() {
    Screen screen;
    QVERIFY(screen.active);
    GPopUpButton* b = screen.button;
    QSignalSpy spy(b, &GPopUpButton::action);
    b->setDataArray({"CRYING 95", "CRYING 535", "AUTO WAH", "TALK AH"});
    b->showList();
    clickRow(b, 2);
    QVERIFY(!b->isShow());
    QCOMPARE(b->indexNumber(), qint64(2));
    QCOMPARE(b->itemLabel(), QString("AUTO WAH"));
    QCOMPARE(spy.count(), 0);
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<GPopUpButton*>(), b);
    QTest::qWait(20);
    QCOMPARE(spy.count(), 1);
}

void GPopUpButtonTest::chosenEmptyRowReadsEmpty() {
    Screen screen;
    QVERIFY(screen.active);
    GPopUpButton* b = screen.button;
    b->setDataArray({"ONE", "", "THREE"});
    b->showList();
    clickRow(b, 1);
    QCOMPARE(b->itemLabel(), QString("EMPTY"));
    QCOMPARE(b->indexNumber(), qint64(1));
}

void GPopUpButtonTest::returnPicksCurrentRow() {
    Screen screen;
    QVERIFY(screen.active);
    GPopUpButton* b = screen.button;
    QSignalSpy spy(b, &GPopUpButton::action);
    b->setDataArray(names(5));
    b->setIndexNumber(1);
    b->showList();
    QTest::keyClick(b->listView(), Qt::Key_Down);
    QTest::keyClick(b->listView(), Qt::Key_Return);
    QVERIFY(!b->isShow());
    QCOMPARE(b->indexNumber(), qint64(2));
    QTRY_COMPARE(spy.count(), 1);
}

void GPopUpButtonTest::pressInOtherWindowClosesAndIsSwallowed() {
    Screen screen;
    QVERIFY(screen.active);
    QWidget other;
    auto* push = new QPushButton("other", &other);
    push->setGeometry(10, 10, 100, 30);
    other.setGeometry(500, 100, 200, 100);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QSignalSpy pushed(push, &QPushButton::clicked);
    QSignalSpy spy(screen.button, &GPopUpButton::action);

    screen.button->setDataArray(names(4));
    screen.button->showList();
    QVERIFY(screen.button->isShow());
    // Pressed through the window system, as the real pointer would.
    QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, push->geometry().center());
    QVERIFY(!screen.button->isShow());
    QCOMPARE(pushed.count(), 0);
    // The next press is an ordinary one again.
    QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, push->geometry().center());
    QCOMPARE(pushed.count(), 1);
    QTest::qWait(20);
    QCOMPARE(spy.count(), 0);
}

void GPopUpButtonTest::slotButtonsOnlyFromRow26InSlotMode() {
    GPopUpButton b;
    b.setDataArray(names(36));
    QVERIFY(b.slotButton(26, true) == nullptr);  // plain list
    b.setCabAddDelete(GPopUpButton::kSlotMode);
    QVERIFY(b.slotButton(25, true) == nullptr);
    QVERIFY(b.slotButton(25, false) == nullptr);
    for (int row = 26; row < 36; ++row) {
        QVERIFY(b.slotButton(row, true) != nullptr);
        QVERIFY(b.slotButton(row, false) != nullptr);
    }
    QCOMPARE(b.slotButton(26, true)->property("text").toString(), QString("+"));
    QCOMPARE(b.slotButton(26, false)->property("text").toString(), QString("-"));
    // Replacing the rows keeps the mode.
    b.setDataArray(names(30));
    QVERIFY(b.slotButton(29, false) != nullptr);
    b.setCabAddDelete(0);
    QVERIFY(b.slotButton(26, true) == nullptr);
}

void GPopUpButtonTest::slotButtonsReportModeAndRow() {
    Screen screen;
    QVERIFY(screen.active);
    GPopUpButton* b = screen.button;
    QList<std::pair<qint64, qint64>> seen;  // (mode, row) as the owner sees them
    connect(b, &GPopUpButton::action, this, [&seen](GPopUpButton* sender) {
        seen.append({sender->cabAddDelete(), sender->indexNumberCABOperate()});
        sender->setCabAddDelete(GPopUpButton::kSlotMode);  // the owner's reset
    });
    b->setDataArray(names(36));
    b->setCabAddDelete(GPopUpButton::kSlotMode);
    b->setIndexNumber(3);
    b->showList();

    b->listView()->scrollToItem(b->listView()->item(30));
    QTest::mouseClick(b->slotButton(30, true), Qt::LeftButton);
    QCOMPARE(b->cabAddDelete(), GPopUpButton::kSlotAdd);
    QCOMPARE(b->indexNumberCABOperate(), qint64(30));
    QVERIFY(seen.isEmpty());
    QTRY_COMPARE(seen.size(), 1);
    QCOMPARE(seen[0], std::make_pair(qint64(20), qint64(30)));
    QVERIFY(b->isShow());  // the list stays open
    QCOMPARE(b->indexNumber(), qint64(3));
    QCOMPARE(b->itemLabel(), QString("NAME 3"));

    b->listView()->scrollToItem(b->listView()->item(35));
    QTest::mouseClick(b->slotButton(35, false), Qt::LeftButton);
    QTRY_COMPARE(seen.size(), 2);
    QCOMPARE(seen[1], std::make_pair(qint64(30), qint64(35)));
    QCOMPARE(b->cabAddDelete(), GPopUpButton::kSlotMode);
    QVERIFY(b->isShow());
    QCOMPARE(b->indexNumber(), qint64(3));
    b->hideList();
}

void GPopUpButtonTest::rowClickOnSlotRowStillPicks() {
    Screen screen;
    QVERIFY(screen.active);
    GPopUpButton* b = screen.button;
    QSignalSpy spy(b, &GPopUpButton::action);
    b->setDataArray(names(36));
    b->setCabAddDelete(GPopUpButton::kSlotMode);
    b->showList();
    clickRow(b, 28);
    QVERIFY(!b->isShow());
    QCOMPARE(b->indexNumber(), qint64(28));
    QCOMPARE(b->cabAddDelete(), GPopUpButton::kSlotMode);
    QTRY_COMPARE(spy.count(), 1);
}

QTEST_MAIN(GPopUpButtonTest)
#include "test_g_pop_up_button.moc"
