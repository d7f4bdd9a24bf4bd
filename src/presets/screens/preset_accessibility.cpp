#include "preset_accessibility.h"

#include <QAccessibleWidget>

#include "cab_lamp.h"
#include "pop_up_trigger.h"

namespace quorvex {

namespace {

class TriggerAccessible : public QAccessibleWidget {
public:
    explicit TriggerAccessible(PopUpTrigger* t) : QAccessibleWidget(t, QAccessible::ButtonDropDown) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return trigger()->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.hasPopup = true;
        s.expandable = true;
        s.expanded = trigger()->isOpen();
        s.collapsed = !trigger()->isOpen();
        return s;
    }

    QStringList actionNames() const override { return {pressAction(), showMenuAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() || name == showMenuAction())
            trigger()->trigger();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    PopUpTrigger* trigger() const { return static_cast<PopUpTrigger*>(object()); }
};

class LampAccessible : public QAccessibleWidget {
public:
    explicit LampAccessible(CabLamp* lamp) : QAccessibleWidget(lamp, QAccessible::Indicator) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return lamp()->isLit() ? QStringLiteral("on") : QStringLiteral("off");
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = lamp()->isLit();
        s.readOnly = true;
        return s;
    }

private:
    CabLamp* lamp() const { return static_cast<CabLamp*>(object()); }
};

QAccessibleInterface* presetFactory(const QString&, QObject* object) {
    // Asked with each class name of the object's hierarchy, most derived first; the
    // first answer decides.
    if (auto* t = qobject_cast<PopUpTrigger*>(object))
        return new TriggerAccessible(t);
    if (auto* lamp = qobject_cast<CabLamp*>(object))
        return new LampAccessible(lamp);
    return nullptr;
}

}  // namespace

void installPresetAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&presetFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace quorvex
