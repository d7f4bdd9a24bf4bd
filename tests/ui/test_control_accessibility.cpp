// What assistive technology can do with the controls: set a slider's value, and read the
// drop-down list's rows and whether it is open.
#include <QAccessible>
#include <QSignalSpy>
#include <QtTest>

#include "g_pop_up_button.h"
#include "hy_slider.h"

using quorvex::ui::GPopUpButton;
using quorvex::ui::HYSlider;

class ControlAccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void assistiveValueActsLikeADrag();
    void popUpReadsAsComboBoxWithRows();
};

void ControlAccessibilityTest::assistiveValueActsLikeADrag() {
    HYSlider h;
    QSignalSpy spy(&h, &HYSlider::action);
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(&h);
    QVERIFY(i && i->valueInterface());
    QAccessibleValueInterface* v = i->valueInterface();
    v->setCurrentValue(0.75);
    QCOMPARE(h.floatValue(), 0.75);
    QCOMPARE(spy.count(), 0);
    QTRY_COMPARE(spy.count(), 1);
    v->setCurrentValue(3.0);  // held to the slider's travel
    QCOMPARE(h.floatValue(), 1.0);
}

void ControlAccessibilityTest::popUpReadsAsComboBoxWithRows() {
    GPopUpButton b;
    b.setAccessibleName("EFFECT");
    b.setDataArray({"CRYING 95", "", "(null)", "AUTO WAH"});
    b.setIndexNumber(3);

    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(&b);
    QVERIFY(i);
    QCOMPARE(i->role(), QAccessible::ComboBox);
    QCOMPARE(i->text(QAccessible::Name), QString("EFFECT"));
    QCOMPARE(i->text(QAccessible::Value), QString("AUTO WAH"));
    b.setIndexNumber(1);
    QCOMPARE(i->text(QAccessible::Value), QString("EMPTY"));

    QCOMPARE(i->childCount(), 1);
    QAccessibleInterface* list = i->child(0);
    QVERIFY(list);
    QCOMPARE(list->role(), QAccessible::List);
    QCOMPARE(i->indexOfChild(list), 0);
    QStringList rows;
    for (int c = 0; c < list->childCount(); ++c)
        rows << list->child(c)->text(QAccessible::Name);
    QCOMPARE(rows, (QStringList{"1 CRYING 95", "2 EMPTY", "3 EMPTY", "4 AUTO WAH"}));

    QVERIFY(i->state().collapsed);
    QVERIFY(i->actionInterface());
    i->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    QVERIFY(b.isShow());
    QVERIFY(i->state().expanded);
    b.hideList();
    QVERIFY(!i->state().expanded);
}

QTEST_MAIN(ControlAccessibilityTest)
#include "test_control_accessibility.moc"
