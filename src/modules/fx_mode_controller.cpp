#include "fx_mode_controller.h"

namespace quorvex {

FxModeController::FxModeController(QWidget* parent) : ModulePanel(moduleTableOf(Module::Fx), parent) {}

}  // namespace quorvex
