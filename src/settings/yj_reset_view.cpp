#include "yj_reset_view.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "settings_style.h"
#include "two_way_switch.h"

namespace quorvex::settings {

YJResetView::YJResetView(QWidget* parent)
    : SettingsOverlay(QStringLiteral("ResetView"), QStringLiteral("FACTORY RESET"), parent),
      choice_(new TwoWaySwitch(QStringLiteral("RESET"), QStringLiteral("YES"), QStringLiteral("NO"), this)) {
    // The buttons read plainly "YES" and "NO".
    choice_->button(TwoWaySwitch::kLeft)->setAccessibleName(QStringLiteral("YES"));
    choice_->button(TwoWaySwitch::kRight)->setAccessibleName(QStringLiteral("NO"));
    auto* note = makeCaption(QStringLiteral("YES and OK bring back the factory settings of the pedal."), this);
    body()->addWidget(note);
    body()->addWidget(choice_);
    showState();
    connect(choice_, &TwoWaySwitch::pressed, this, [this](int position) {
        if (position == TwoWaySwitch::kLeft)
            state_.pressYes();
        else
            state_.pressNo();
        showState();
        emit SelfDataChange();
    });
    // OK closes the overlay unless it has a reset to confirm first.
    disconnect(okButton(), nullptr, this, nullptr);
    connect(okButton(), &QPushButton::clicked, this, &YJResetView::okPressed);
}

void YJResetView::changedModeValue(std::uint32_t status) {
    state_.changedModeValue(status);
    showState();
}

void YJResetView::showState() {
    choice_->setPosition(state_.armed() ? TwoWaySwitch::kLeft : TwoWaySwitch::kRight);
}

void YJResetView::okPressed() {
    if (!state_.armed()) {
        removeFromSuperview();
        return;
    }
    if (question_) return;
    // Asked without blocking: the window keeps running while the question is open.
    question_ = new QMessageBox(QMessageBox::Warning, QStringLiteral("FACTORY RESET"),
                                QStringLiteral("Reset the pedal to its factory settings? All presets will be lost."),
                                QMessageBox::NoButton, window());
    question_->setInformativeText(QStringLiteral("This cannot be undone."));
    QPushButton* reset = question_->addButton(QStringLiteral("Reset"), QMessageBox::DestructiveRole);
    QPushButton* cancel = question_->addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    // Only "Reset" itself confirms: Cancel has the focus and answers Enter and Escape,
    // and a space (the tap key) never presses "Reset".
    question_->setDefaultButton(cancel);
    question_->setEscapeButton(cancel);
    reset->installEventFilter(this);
    question_->setAttribute(Qt::WA_DeleteOnClose);
    connect(question_, &QMessageBox::finished, this, [this, reset] { answered(question_->clickedButton() == reset); });
    question_->open();
}

bool YJResetView::eventFilter(QObject* watched, QEvent* event) {
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (key && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && qobject_cast<QPushButton*>(watched))
        return true;
    return SettingsOverlay::eventFilter(watched, event);
}

void YJResetView::answered(bool reset) {
    if (reset && state_.pressOk()) {
        emit SelfDataChange();
        QTimer::singleShot(kQuitDelayMs, this, &YJResetView::terminateRequested);
    } else {
        // Not confirmed: the reset is disarmed again rather than left waiting.
        state_.pressNo();
        showState();
        emit SelfDataChange();
    }
    removeFromSuperview();
}

}  // namespace quorvex::settings
