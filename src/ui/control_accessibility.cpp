#include "control_accessibility.h"

#include <QAccessibleWidget>
#include <QListWidget>

#include "g_pop_up_button.h"
#include "value_slider.h"

namespace quorvex::ui {

namespace {

// HYSlider and GSlider: a slider whose value is the real value the owner reads.
class SliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SliderAccessible(ValueSlider* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return QString::number(slider()->floatValue(), 'f', 2);
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return slider()->floatValue(); }
    // Assistive technology moves the knob on the user's behalf, so the owner hears of it
    // as it would of a drag.
    void setCurrentValue(const QVariant& value) override { slider()->setValueByUser(value.toDouble()); }
    QVariant maximumValue() const override { return slider()->maxValue(); }
    QVariant minimumValue() const override { return slider()->minValue(); }
    QVariant minimumStepSize() const override { return 0.01; }

private:
    ValueSlider* slider() const { return static_cast<ValueSlider*>(object()); }
};

// GPopUpButton: a combo box whose value is the selected row's name and whose child
// is the list of rows in the list window.
class PopUpAccessible : public QAccessibleWidget {
public:
    explicit PopUpAccessible(GPopUpButton* button) : QAccessibleWidget(button, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return button()->itemLabel();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.hasPopup = true;
        s.expandable = true;
        s.expanded = button()->isShow();
        s.collapsed = !button()->isShow();
        return s;
    }

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(button()->listView()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == button()->listView() ? 0 : -1;
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& name) override {
        if (name == showMenuAction() || name == pressAction())
            button()->toggleList();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    GPopUpButton* button() const { return static_cast<GPopUpButton*>(object()); }
};

QAccessibleInterface* controlFactory(const QString&, QObject* object) {
    // Called with each class name of the object's hierarchy, most derived first; the
    // first call decides. YJTextField falls through to QLineEdit's own interface.
    if (auto* slider = qobject_cast<ValueSlider*>(object))
        return new SliderAccessible(slider);
    if (auto* button = qobject_cast<GPopUpButton*>(object))
        return new PopUpAccessible(button);
    return nullptr;
}

}  // namespace

void installControlAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&controlFactory);
        return true;
    }();
    (void)installed;
}

void announceExpandedChange(QObject* owner) {
    QAccessible::State changed;
    changed.expanded = true;
    changed.collapsed = true;
    QAccessibleStateChangeEvent event(owner, changed);
    QAccessible::updateAccessibility(&event);
}

}  // namespace quorvex::ui
