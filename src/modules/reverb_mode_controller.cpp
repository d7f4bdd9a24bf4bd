#include "reverb_mode_controller.h"

namespace quorvex {

ReverbModeController::ReverbModeController(QWidget* parent) : ModulePanel(moduleTableOf(Module::Reverb), parent) {}

}  // namespace quorvex
