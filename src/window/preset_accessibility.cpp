#include "preset_accessibility.h"

#include <QAccessibleWidget>

#include "cab_lamp.h"
#include "chain_block.h"
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

// A chain block: a button named after its module, checked while the module is on,
// selected while its panel is shown.
class ChainBlockAccessible : public QAccessibleWidget {
public:
    explicit ChainBlockAccessible(ModleView* block) : QAccessibleWidget(block, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return block()->isModeOpen() ? QStringLiteral("on") : QStringLiteral("off");
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = block()->isModeOpen();
        s.selectable = true;
        s.selected = block()->isSelectMode();
        return s;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction())
            block()->click();
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        if (name == pressAction())
            return {QStringLiteral("Space"), QStringLiteral("Return")};
        return {};
    }

private:
    ModleView* block() const { return static_cast<ModleView*>(object()); }
};

QAccessibleInterface* presetFactory(const QString&, QObject* object) {
    // Asked with each class name of the object's hierarchy, most derived first; the
    // first answer decides.
    if (auto* t = qobject_cast<PopUpTrigger*>(object))
        return new TriggerAccessible(t);
    if (auto* lamp = qobject_cast<CabLamp*>(object))
        return new LampAccessible(lamp);
    if (auto* block = qobject_cast<ModleView*>(object))
        return new ChainBlockAccessible(block);
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
