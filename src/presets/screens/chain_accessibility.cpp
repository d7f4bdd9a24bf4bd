#include "chain_accessibility.h"

#include <QAccessibleWidget>

#include "chain_block.h"

namespace quorvex {

namespace {

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

QAccessibleInterface* chainFactory(const QString&, QObject* object) {
    if (auto* block = qobject_cast<ModleView*>(object))
        return new ChainBlockAccessible(block);
    return nullptr;
}

}  // namespace

void installChainAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&chainFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace quorvex
