#pragma once
#include "module_panel.h"

namespace quorvex {

// MOD: nineteen modulation models with two to four rows. "PITCH SHIFT" and "DETUNE"
// show a signed pitch with one decimal; "DETUNE" keeps it in element 6.
class ModModeController : public ModulePanel {
    Q_OBJECT
public:
    explicit ModModeController(QWidget* parent = nullptr);
};

}  // namespace quorvex
