#pragma once
#include "module_panel.h"

namespace quorvex {

// REVERB: seven rooms; PRE DELAY is shown five times its stored number (0..500).
class ReverbModeController : public ModulePanel {
    Q_OBJECT
public:
    explicit ReverbModeController(QWidget* parent = nullptr);
};

}  // namespace quorvex
