// GPopUpButton: its label with "EMPTY" (the rows are read in the accessibility test),
// selecting from code and by clicking, closing on a press elsewhere, and the slot buttons.
#include <QFrame>
#include <QListWidget>
#include <QPushButton>
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
    QSignalSpy actions;
    bool active = false;
    Screen() : button(new GPopUpButton(&window)), actions(button, &GPopUpButton::action) {
        button->setGeometry(20, 20, 200, 28);
        window.resize(400, 500);
        window.show();
        window.activateWindow();
        active = QTest::qWaitForWindowActive(&window);
    }
    // Clicks a row of the open list where its text is, left of any slot buttons.
    void clickRow(int row) {
        QListWidget* list = button->listView();
        list->scrollToItem(list->item(row));
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(r.left() + 15, r.center().y()));
    }
};

}  // namespace

class GPopUpButtonTest : public QObject {
    Q_OBJECT
private slots:
    void buttonTogglesAndAChosenRowActsDeferred();
    void pressInOtherWindowClosesAndIsSwallowed();
    void slotButtonsFromRow26ReportModeAndRow();
};

void GPopUpButtonTest::buttonTogglesAndAChosenRowActsDeferred() {
    Screen s;
    QVERIFY(s.active);
    GPopUpButton* b = s.button;
    b->setDataArray({"ONE", "", "THREE"});
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(b->isShow());
    QVERIFY(b->listWindow()->isVisible());
    // While the list is open a press on the button reaches the list window first, as it
    // would from the real pointer; it closes the list and goes no further.
    QTest::mouseClick(b->window()->windowHandle(), Qt::LeftButton, {}, b->geometry().center());
    QVERIFY(!b->isShow());
    QCOMPARE(s.actions.count(), 0);

    b->showList();
    s.clickRow(1);
    QVERIFY(!b->isShow());
    QCOMPARE(b->indexNumber(), qint64(1));
    QCOMPARE(b->itemLabel(), QString("EMPTY"));
    QCOMPARE(s.actions.count(), 0);
    QTRY_COMPARE(s.actions.count(), 1);
    QCOMPARE(s.actions.at(0).at(0).value<GPopUpButton*>(), b);
}

void GPopUpButtonTest::pressInOtherWindowClosesAndIsSwallowed() {
    Screen s;
    QVERIFY(s.active);
    QWidget other;
    auto* push = new QPushButton("other", &other);
    other.setGeometry(500, 100, 200, 100);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QSignalSpy pushed(push, &QPushButton::clicked);

    s.button->setDataArray(names(4));
    s.button->showList();
    // Pressed through the window system, as the real pointer would.
    QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, push->geometry().center());
    QVERIFY(!s.button->isShow());
    QCOMPARE(pushed.count(), 0);
    QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, push->geometry().center());
    QCOMPARE(pushed.count(), 1);  // the next press is an ordinary one again
    QCOMPARE(s.actions.count(), 0);
}

void GPopUpButtonTest::slotButtonsFromRow26ReportModeAndRow() {
    Screen s;
    QVERIFY(s.active);
    GPopUpButton* b = s.button;
    QList<std::pair<qint64, qint64>> seen;  // (mode, row) as the owner sees them
    connect(b, &GPopUpButton::action, this, [&seen](GPopUpButton* sender) {
        seen.append({sender->cabAddDelete(), sender->indexNumberCABOperate()});
        sender->setCabAddDelete(GPopUpButton::kSlotMode);  // the owner's reset
    });
    b->setDataArray(names(36));
    QVERIFY(b->slotButton(26, true) == nullptr);  // plain list
    b->setCabAddDelete(GPopUpButton::kSlotMode);
    QVERIFY(b->slotButton(25, true) == nullptr && b->slotButton(25, false) == nullptr);
    QVERIFY(b->slotButton(26, true) != nullptr && b->slotButton(35, false) != nullptr);
    b->setIndexNumber(3);
    b->showList();

    for (const auto& [row, add] : {std::pair{30, true}, std::pair{35, false}}) {
        b->listView()->scrollToItem(b->listView()->item(row));
        QTest::mouseClick(b->slotButton(row, add), Qt::LeftButton);
        QTRY_COMPARE(seen.size(), add ? 1 : 2);
        QCOMPARE(seen.back(), std::make_pair(add ? GPopUpButton::kSlotAdd : GPopUpButton::kSlotDelete, qint64(row)));
        QVERIFY(b->isShow());  // the list stays open, the selection stays
        QCOMPARE(b->indexNumber(), qint64(3));
    }
    // A click on the row itself still picks it.
    s.clickRow(28);
    QVERIFY(!b->isShow());
    QCOMPARE(b->indexNumber(), qint64(28));
    QTRY_COMPARE(seen.size(), 3);
    QCOMPARE(seen.back().first, GPopUpButton::kSlotMode);
}

QTEST_MAIN(GPopUpButtonTest)
#include "test_g_pop_up_button.moc"
