#include "delay_mode_controller.h"

namespace quorvex {
DelayModeController::DelayModeController(QWidget* parent) : ModulePanel(moduleTableOf(Module::Delay), parent) {}

}  // namespace quorvex
