#include "ns_mode_controller.h"

namespace quorvex {

NsModeController::NsModeController(QWidget* parent) : ModulePanel(moduleTableOf(Module::Ns), parent) {}

}  // namespace quorvex
