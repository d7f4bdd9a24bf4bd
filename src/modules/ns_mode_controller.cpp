#include "ns_mode_controller.h"

namespace quorvex {

ModuleTable NsModeController::nsTable() {
    ModuleTable t = moduleTable(Module::Ns, 3);
    // A one-row model hides rows 2 and 3; they keep their values and are sent unchanged.
    t.groups = {
        {"210", "NOISE GATE", plainRows({"THRES"})},                          // titleArr210
        {"211", "NOISE REDUCER", plainRows({"SENSITIVITY"})},                 // titleArr211
        {"212", "GATE 2", plainRows({"ATTACK", "RELEASE", "THRES"})},         // titleArr212
    };
    t.models = {{"NOISE GATE1", 0}, {"NOISE REDUCER", 1}, {"NOISE GATE2", 2}};
    t.startGroup = 2;
    return t;
}

NsModeController::NsModeController(QWidget* parent) : ModulePanel(nsTable(), parent) {}

}  // namespace quorvex
