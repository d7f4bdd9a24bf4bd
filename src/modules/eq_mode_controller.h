#pragma once
#include "module_panel.h"

namespace quorvex {

// EQ: three graphic equalisers with band gains in dB, and "CUSTOM EQ" with three gains
// and three free frequencies. Elements a model does not show are neither shown nor
// changed: reports leave them and edits send them as they were.
class EqModeController : public ModulePanel {
    Q_OBJECT
public:
    explicit EqModeController(QWidget* parent = nullptr);
};

}  // namespace quorvex
