#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "global_eq.h"
#include "settings_overlay.h"
#include "slider_row.h"

class QButtonGroup;
class QStackedWidget;

namespace quorvex::ui {
class HYSlider;
}

namespace quorvex::settings {

class TwoWaySwitch;
class YJFsModeView;
class YJResetView;

// The system screen: the level (on every tab), the USB AUDIO switches and amounts, the
// CAB SIM switch of each output, the factory reset and the three-band global EQ, with
// the button of the footswitch-mode overlay. It keeps the system block and the global
// EQ block; every edit asks the hub to send both, every report redraws without echo.
class YJSystemView : public SettingsOverlay {
    Q_OBJECT
public:
    using SystemBlock = std::array<std::uint32_t, 10>;
    static constexpr int kUsbAudio = 1, kCabSim = 2, kReset = 3, kGlobalEq = 4;

    explicit YJSystemView(QWidget* parent = nullptr);

    // Shows the first tab (with its focus message) and the placeholder read-outs.
    void userInit();
    // Makes tab 1..4 current (with its focus message); other numbers do nothing.
    void refreshModuleView(int tab);
    void ModleViewAction(ui::HYSlider* sender);
    void ELB_EQModleViewAction(ui::HYSlider* sender);
    // The pedal reported the system block or the global EQ (nine wire bytes).
    void changedModeValue(const SystemBlock& values);
    void changed_Glbi_EQ_ModeValue(const GlobalEq::Block& bytes);
    // The reset overlay changed its state.
    void ResetChangeAction();

    const SystemBlock& SystemData() const { return SystemData_; }
    const GlobalEq::Block& Glbi_eqData() const { return eq_.Glbi_eqData(); }

    // Controls, for the window and the tests.
    ui::HYSlider* pSlider(int n) const { return levelRows_[static_cast<std::size_t>(n)].slider; }
    QLabel* pTextFieldVale(int n) const { return levelRows_[static_cast<std::size_t>(n)].readout; }
    TwoWaySwitch* pPoint(int n) const { return points_[static_cast<std::size_t>(n - 1)]; }
    ui::HYSlider* hySlider(int n) const { return eqRows_[static_cast<std::size_t>(n)].slider; }
    QLabel* hyTextFieldVale(int n) const { return eqRows_[static_cast<std::size_t>(n)].readout; }
    QPushButton* tabButton(int tab) const;
    QPushButton* fsModeButton() const { return fsModeButton_; }
    QPushButton* resetButton() const { return resetButton_; }
    YJFsModeView* fsView() const { return fsView_; }
    YJResetView* resetView() const { return resetView_; }

signals:
    void NeedUpdataMcuUiDataA(std::uint32_t a, std::uint32_t b);
    // The blocks changed: the hub reads them on the next turn of the event loop.
    void SelfDataChange();

private:
    QWidget* buildUsbPage();
    QWidget* buildCabPage();
    QWidget* buildEqPage();
    void switchPressed(int point, int position);
    // Row n of the level rows (0 level, 1 and 2 the USB amounts) takes a stored value.
    void setLevelRow(int n, std::uint32_t value);
    // The keyboard steps a level row or an EQ row (0..5) by `steps` steps of its grid.
    void stepLevelRow(int n, int steps);
    void stepEqRow(int index, int steps);
    void eqBandEdited(int band);
    void showEqBand(int band);
    void openOverlay(SettingsOverlay* overlay, std::uint32_t page);

    SystemBlock SystemData_{};
    GlobalEq eq_;

    QButtonGroup* tabs_;
    QStackedWidget* pages_;
    QWidget* emptyPage_;
    std::vector<SliderRow<ui::HYSlider>> levelRows_;  // level, USB amounts 1 and 2
    std::array<TwoWaySwitch*, 4> points_{};
    std::vector<SliderRow<ui::HYSlider>> eqRows_;  // LOW, MID, HIGH: frequency then gain
    QWidget* usbPage_;
    QWidget* cabPage_;
    QWidget* eqPage_;
    QPushButton* fsModeButton_;
    QPushButton* resetButton_;
    YJFsModeView* fsView_;
    YJResetView* resetView_;
};

}  // namespace quorvex::settings
