#include "settings_overlay.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

#include "preset_screen_style.h"
#include "rest_of_click.h"
#include "settings_style.h"

namespace quorvex::settings {

namespace {

// Watches the application for the presses and keys that close the topmost open panel.
class OverlayStack : public QObject {
public:
    static OverlayStack& instance() {
        static auto* stack = [] {
            auto* s = new OverlayStack;
            qApp->installEventFilter(s);
            return s;
        }();
        return *stack;
    }

    void push(SettingsOverlay* overlay) {
        remove(overlay);
        open_.emplace_back(overlay);
    }
    void remove(SettingsOverlay* overlay) {
        std::erase_if(open_, [overlay](const QPointer<SettingsOverlay>& p) { return p.isNull() || p == overlay; });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool press = event->type() == QEvent::MouseButtonPress;
        if (!press && event->type() != QEvent::KeyPress) return false;
        // An event a child leaves alone travels on to its parents: it counts once.
        const auto* input = static_cast<QInputEvent*>(event);
        if (input->timestamp() == lastTimestamp_ && event->type() == lastType_) return false;
        SettingsOverlay* top = topmost();
        if (top == nullptr) return false;
        if (!press) {
            if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape) return false;
            if (QApplication::activeModalWidget() != nullptr) return false;  // a question box answers Escape
            remember(input);
            top->removeFromSuperview();
            return true;
        }
        // A press in another window (a question box) is no press outside the panel.
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr || widget->window() != top->window()) return false;
        remember(input);
        const QPointF global = static_cast<QMouseEvent*>(event)->globalPosition();
        const QRectF area(top->mapToGlobal(QPointF(0, 0)), QSizeF(top->size()));
        if (area.contains(global)) return false;
        // The press that closes the panel is used up: nothing beneath acts on it.
        top->removeFromSuperview();
        ui::swallowRestOfClick();
        return true;
    }

private:
    SettingsOverlay* topmost() {
        std::erase_if(open_, [](const QPointer<SettingsOverlay>& p) { return p.isNull() || p->isHidden(); });
        return open_.empty() ? nullptr : open_.back().data();
    }
    void remember(const QInputEvent* input) {
        lastTimestamp_ = input->timestamp();
        lastType_ = input->type();
    }
    std::vector<QPointer<SettingsOverlay>> open_;
    quint64 lastTimestamp_ = 0;
    QEvent::Type lastType_ = QEvent::None;
};

}  // namespace

SettingsOverlay::SettingsOverlay(const QString& objectName, const QString& title, QWidget* parent)
    : QFrame(parent), body_(new QVBoxLayout), ok_(makePushButton(QStringLiteral("OK"), this)) {
    setObjectName(objectName);
    setAccessibleName(title);
    setStyleSheet(panelStyleSheet(objectName));
    setAutoFillBackground(true);
    hide();

    auto* heading = new QLabel(title, this);
    heading->setFont(preset_style::font(16, QFont::Bold));
    heading->setStyleSheet(QStringLiteral("color: %1;").arg(preset_style::hex(preset_style::teal())));

    auto* okRow = new QHBoxLayout;
    okRow->addStretch(1);
    okRow->addWidget(ok_);
    ok_->setMinimumWidth(90);
    connect(ok_, &QPushButton::clicked, this, &SettingsOverlay::removeFromSuperview);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 14, 20, 14);
    layout->setSpacing(12);
    layout->addWidget(heading);
    layout->addLayout(body_);
    layout->addLayout(okRow);
}

SettingsOverlay::~SettingsOverlay() { OverlayStack::instance().remove(this); }

void SettingsOverlay::openOver(QWidget* host) {
    if (host != nullptr) {
        if (parentWidget() != host) {
            if (parentWidget() != nullptr) parentWidget()->removeEventFilter(this);
            setParent(host);
        }
        host->installEventFilter(this);  // once, however often the panel opens
    }
    adjustSize();
    centre();
    OverlayStack::instance().push(this);
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void SettingsOverlay::removeFromSuperview() { hide(); }

void SettingsOverlay::centre() {
    if (QWidget* h = parentWidget()) move((h->width() - width()) / 2, std::max(0, (h->height() - height()) / 2));
}

bool SettingsOverlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize && !isHidden()) centre();
    return QFrame::eventFilter(watched, event);
}


}  // namespace quorvex::settings
