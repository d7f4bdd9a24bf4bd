#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "exp_targets.h"
#include "settings_overlay.h"
#include "slider_row.h"

namespace quorvex::ui {
class GSlider;
}

namespace quorvex::settings {

class TwoWaySwitch;

// The EXP VOL overlay over the expression screen: the expression pedal as a volume
// pedal, on or off, between a minimum and a maximum (0..100). An edit keeps the minimum
// at or below the maximum, the moved end winning. Its edits reach the hub through the
// expression screen and never end a merge.
class YJExpVolView : public SettingsOverlay {
    Q_OBJECT
public:
    explicit YJExpVolView(QWidget* parent = nullptr);

    void ModleViewAction(ui::GSlider* sender);
    // The keyboard moves the maximum or the minimum by `steps` units.
    void stepEnd(bool maximum, int steps);
    // A report: minimum, maximum, switch, taken as they come.
    void changedModeValue(const std::array<std::uint32_t, 3>& values);
    // A loaded preset: only its switch; the range stays.
    void PresetchangedModeValue(std::uint32_t on);

    const ExpVolRange& VolValue() const { return range_; }
    TwoWaySwitch* onOff() const { return switch_; }
    ui::GSlider* sliderMinVol() const { return rows_[0].slider; }
    ui::GSlider* sliderMaxVol() const { return rows_[1].slider; }
    QLabel* textfiledMaxVol() const { return rows_[1].readout; }

signals:
    void SelfDataChange();

private:
    void redraw();

    ExpVolRange range_;
    TwoWaySwitch* switch_;
    std::vector<SliderRow<ui::GSlider>> rows_;  // minimum, maximum
};

}  // namespace quorvex::settings
