#pragma once
#include "module_panel.h"

namespace quorvex {

// DELAY: seven single delays, "DYNAMIC" with a threshold and "DUAL DELAY" with two
// times and two subdivisions. Times run 40..2500.
class DelayModeController : public ModulePanel {
    Q_OBJECT
public:
    explicit DelayModeController(QWidget* parent = nullptr);

    ui::GPopUpButton* popButtonSubA() const { return extraList(0); }
    ui::GPopUpButton* popButtonSubB() const { return extraList(1); }
};

}  // namespace quorvex
