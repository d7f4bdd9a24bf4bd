#pragma once
#include <array>
#include <cstdint>

#include "settings_overlay.h"
#include "tap_tempo.h"

class QLabel;

namespace quorvex::settings {

// The CTRL/TAP screen: in CTRL mode the footswitch switches the chosen modules, in TAP
// mode it taps the tempo (40..260 BPM). The block is the tempo, the nine memberships and
// the mode; every edit asks the hub to send it. The space key taps anywhere in the
// editor, also while the screen is closed.
class YJCtrlTabView : public SettingsOverlay {
    Q_OBJECT
public:
    using Block = std::array<std::uint32_t, 11>;

    explicit YJCtrlTabView(QWidget* parent = nullptr);

    // A report: tempo and memberships, redrawn in the mode already shown.
    void changedModeValue(const Block& values);
    // A loaded preset: memberships and mode; the tempo stays.
    void PresetchangedModeValue(Block values);
    // One tap from the keyboard.
    void keySpaceClick();
    // One tap at a given time (milliseconds since 1970), for the TAP button and the key.
    void tapAt(double nowMs);

    const Block& TabCtrl_Data() const { return TabCtrl_Data_; }
    bool isCtrlMode() const { return isCtrlMode_; }
    QPushButton* modeTab(bool ctrl) const;
    QPushButton* moduleButton(int k) const;  // 1..9
    QLabel* tabData() const { return tabData_; }

signals:
    void NeedUpdataMcuUiDataA(std::uint32_t a, std::uint32_t b);
    void SelfDataChange();

private:
    void chooseMode(bool ctrl);
    void redraw();
    void setTempo(std::uint32_t tempo);

    Block TabCtrl_Data_{};
    bool isCtrlMode_ = false;
    TapTempo tapTempo_;
    std::array<QPushButton*, 2> modeTabs_{};  // TAP MODE, CTRL
    std::array<QPushButton*, 9> modules_{};  // FX/COMP .. REVERB
    QWidget* tempoRow_;
    QPushButton* up_;
    QPushButton* down_;
    QPushButton* tap_;
    QLabel* tabData_;
};

}  // namespace quorvex::settings
