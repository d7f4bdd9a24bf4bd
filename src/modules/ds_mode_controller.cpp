#include "ds_mode_controller.h"

namespace quorvex {

DsModeController::DsModeController(QWidget* parent) : ModulePanel(moduleTableOf(Module::Ds), parent) {}

}  // namespace quorvex
