#include "eq_mode_controller.h"

namespace quorvex {
EqModeController::EqModeController(QWidget* parent) : ModulePanel(moduleTableOf(Module::Eq), parent) {}

}  // namespace quorvex
