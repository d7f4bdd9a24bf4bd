#pragma once
#include <cstdint>

#include "settings_overlay.h"

namespace quorvex::settings {

class TwoWaySwitch;

// The footswitch-mode overlay over the system screen: the pedal's two footswitch modes
// (0 and 1, command 137). A press on a mode, also the one set, sends it.
class YJFsModeView : public SettingsOverlay {
    Q_OBJECT
public:
    explicit YJFsModeView(QWidget* parent = nullptr);

    // The pedal reported its mode; anything but 0 shows mode 1.
    void changedModeValue(std::uint32_t mode);
    std::uint32_t FsModeStatus() const { return FsModeStatus_; }
    TwoWaySwitch* modeSwitch() const { return switch_; }

signals:
    void SelfDataChange();

private:
    std::uint32_t FsModeStatus_ = 0;
    TwoWaySwitch* switch_;
};

}  // namespace quorvex::settings
