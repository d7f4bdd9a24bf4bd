#pragma once
#include <QMessageBox>
#include <QPointer>

#include <cstdint>

#include "reset_state.h"
#include "settings_overlay.h"


namespace quorvex::settings {

class TwoWaySwitch;

// The factory-reset overlay over the system screen. YES arms the reset and NO disarms
// it; OK while armed asks once more, because a reset cannot be undone (Cancel is the
// default answer), and on the answer "Reset" confirms it (state 2) and asks for the editor to end one second later,
// so that the system block reaches the pedal first. Every change of state goes to the
// system screen, which sends it as element 7 of the system block.
class YJResetView : public SettingsOverlay {
    Q_OBJECT
public:
    static constexpr int kQuitDelayMs = 1000;

    explicit YJResetView(QWidget* parent = nullptr);

    // Element 7 of a reported system block; 1 shows YES, anything else NO.
    void changedModeValue(std::uint32_t status);
    std::uint32_t ResetStatus() const { return state_.ResetStatus(); }
    TwoWaySwitch* choice() const { return choice_; }
    // The open "reset now?" question, if any.
    QMessageBox* question() const { return question_; }

signals:
    void SelfDataChange();
    // The reset has been confirmed and sent: the editor ends now.
    void terminateRequested();

protected:
    // Keeps the space bar off the question's "Reset" button.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void okPressed();
    void answered(bool reset);
    void showState();

    ResetState state_;
    TwoWaySwitch* choice_;
    QPointer<QMessageBox> question_;
};

}  // namespace quorvex::settings
