#pragma once
#include <array>
#include <cstdint>

#include "exp_targets.h"
#include "settings_overlay.h"

class QButtonGroup;

namespace quorvex::settings {

class YJExpVolView;

// The expression screen: tabs EXP and EXP2 choose the input to edit, the 3 x 3 module
// grid its module and up to fourteen boxes the module's parameter; the tab EXP VOL opens
// the volume overlay. Each edit asks the hub to send the expression block; a new module
// or parameter also ends the input's merge.
class YJExpView : public SettingsOverlay {
    Q_OBJECT
public:
    static constexpr int kBoxes = 14;

    explicit YJExpView(QWidget* parent = nullptr);

    // A = 1: tab B (1 EXP, 2 EXP2); A = 2: module B - 1; A = 3: parameter box B.
    void ControlImageViewA(int a, int b);
    // Shows the module's targets in the boxes and marks one; false (nothing changes)
    // when the module or target does not exist.
    bool changeImageBoxA(std::uint32_t module, std::uint32_t parameter);
    // A report, or a loaded preset whose range is the marker 200, 200.
    void changedModeValue(const ExpTargets::Block& values);
    // The EXP VOL overlay changed.
    void ExpVolViewChangeAction();

    // The block the hub sends.
    ExpTargets::Block EXP_Block() const;
    ExpTargets& targets() { return targets_; }
    YJExpVolView* image_expvolView() const { return volView_; }
    QPushButton* tabButton(int b) const;     // 1 EXP, 2 EXP2, 3 EXP VOL
    QPushButton* moduleButton(int b) const;  // 1..9
    QPushButton* box(int b) const;           // 1..14

signals:
    void NeedUpdataMcuUiDataA(std::uint32_t a, std::uint32_t b);
    void SelfDataChange();

private:
    void showInput();
    void emptyBoxes();

    ExpTargets targets_;
    QButtonGroup* tabs_;
    QButtonGroup* modules_;
    QButtonGroup* boxes_;
    QPushButton* volTab_;
    YJExpVolView* volView_;
};

}  // namespace quorvex::settings
