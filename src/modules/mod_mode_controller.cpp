#include "mod_mode_controller.h"

namespace quorvex {
ModModeController::ModModeController(QWidget* parent) : ModulePanel(moduleTableOf(Module::Mod), parent) {}

}  // namespace quorvex
