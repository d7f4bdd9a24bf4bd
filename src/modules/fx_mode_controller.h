#pragma once
#include "module_panel.h"

namespace quorvex {

// FX/COMP: wahs, auto-wahs, the enveloper and two compressors, four rows 0..100.
class FxModeController : public ModulePanel {
    Q_OBJECT
public:
    explicit FxModeController(QWidget* parent = nullptr);
};

}  // namespace quorvex
