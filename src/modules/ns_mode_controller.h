#pragma once
#include "module_panel.h"

namespace quorvex {

// NS: two gates with one control and a third with three.
class NsModeController : public ModulePanel {
    Q_OBJECT
public:
    explicit NsModeController(QWidget* parent = nullptr);
};

}  // namespace quorvex
