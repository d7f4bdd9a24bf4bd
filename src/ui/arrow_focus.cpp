#include "arrow_focus.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QKeyEvent>

#include <cstdlib>
#include <limits>

namespace quorvex::ui {
namespace {

QPoint centreOf(const QWidget* w) { return w->mapToGlobal(w->rect().center()); }

// The group's nearest button from `from` in the key's direction: the smallest step
// sideways first, then the shortest way along.
QAbstractButton* neighbour(const QButtonGroup& group, const QAbstractButton* from, int key) {
    const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
    const int sign = key == Qt::Key_Right || key == Qt::Key_Down ? 1 : -1;
    QAbstractButton* best = nullptr;
    long bestScore = std::numeric_limits<long>::max();
    for (QAbstractButton* button : group.buttons()) {
        if (button == from || !button->isVisible() || !button->isEnabled()) continue;
        const QPoint d = centreOf(button) - centreOf(from);
        const int along = sign * (horizontal ? d.x() : d.y());
        if (along <= 0) continue;
        const long score = std::labs(horizontal ? d.y() : d.x()) * 100000L + along;
        if (score < bestScore) {
            bestScore = score;
            best = button;
        }
    }
    return best;
}

class ArrowFocus : public QObject {
public:
    explicit ArrowFocus(QButtonGroup& group) : QObject(&group), group_(group) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier) return false;
        switch (key->key()) {
        case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down: break;
        default: return false;
        }
        // At the group's edge the key goes on to the window, as Qt's own arrows do.
        QAbstractButton* next = neighbour(group_, static_cast<QAbstractButton*>(watched), key->key());
        if (!next) return false;
        next->setFocus(key->key() == Qt::Key_Left || key->key() == Qt::Key_Up ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        return true;
    }

private:
    QButtonGroup& group_;
};

}  // namespace

void moveFocusWithArrows(QButtonGroup& group) {
    auto* filter = new ArrowFocus(group);
    for (QAbstractButton* button : group.buttons()) button->installEventFilter(filter);
}

}  // namespace quorvex::ui
