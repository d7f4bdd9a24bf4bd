#pragma once
#include "module_panel.h"

namespace quorvex {

// DS/OD: twenty drive models, VOLUME, TONE and GAIN for each.
class DsModeController : public ModulePanel {
    Q_OBJECT
public:
    explicit DsModeController(QWidget* parent = nullptr);
};

}  // namespace quorvex
