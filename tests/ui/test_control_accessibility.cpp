// What the controls tell Qt's accessibility layer: role, name, value, and for the
// drop-down list its rows and whether it is open.
#include <QAccessible>
#include <QSignalSpy>
#include <QtTest>

#include "g_pop_up_button.h"
#include "g_slider.h"
#include "hy_slider.h"
#include "yj_text_field.h"

using quorvex::ui::GPopUpButton;
using quorvex::ui::GSlider;
using quorvex::ui::HYSlider;
using quorvex::ui::YJTextField;

class ControlAccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void slidersReadAsSlidersWithTheirValue();
    void assistiveValueActsLikeADrag();
    void popUpReadsAsComboBoxWithRows();
    void textFieldKeepsLineEditAccessibility();
};

void ControlAccessibilityTest::slidersReadAsSlidersWithTheirValue() {
    HYSlider h;
    h.setAccessibleName("LEVEL");
    GSlider g;
    g.setAccessibleName("EXP VOL MIN");
    for (const auto& [slider, name] : {std::pair<quorvex::ui::ValueSlider*, QString>{&h, "LEVEL"}, {&g, "EXP VOL MIN"}}) {
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(slider);
        QVERIFY(i && i->valueInterface());
        QCOMPARE(i->role(), QAccessible::Slider);
        QCOMPARE(i->text(QAccessible::Name), name);
        slider->setMinValue(-1.0);
        slider->setFloatValue(0.25);
        QCOMPARE(i->valueInterface()->currentValue().toDouble(), 0.25);
        QCOMPARE(i->text(QAccessible::Value), QString("0.25"));
        QCOMPARE(i->valueInterface()->minimumValue().toDouble(), -1.0);
        QCOMPARE(i->valueInterface()->maximumValue().toDouble(), 1.0);
    }
}

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

void ControlAccessibilityTest::textFieldKeepsLineEditAccessibility() {
    YJTextField f;
    f.setAccessibleName("Q");
    f.setIntegerValue(42);
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(&f);
    QVERIFY(i);
    QCOMPARE(i->role(), QAccessible::EditableText);
    QCOMPARE(i->text(QAccessible::Name), QString("Q"));
    QCOMPARE(i->text(QAccessible::Value), QString("42"));
}

QTEST_MAIN(ControlAccessibilityTest)
#include "test_control_accessibility.moc"
