#include "reverb_mode_controller.h"

namespace quorvex {

ModuleTable ReverbModeController::reverbTable() {
    ModuleTable t = moduleTable(Module::Reverb, 4);
    // titleArr230; no picture
    std::vector<RowSpec> rows = {{"PRE DELAY", 2, RowScale::multiplied(5)}};
    for (RowSpec& row : plainRows({"LEVEL", "DECAY", "TONE"}, 3)) rows.push_back(row);
    t.groups = {{"", "", rows}};
    t.models = oneGroupModels({"ROOM", "HALL", "CHURCH", "PLATE", "SPRING", "MOD", "CAVE"});
    return t;
}

ReverbModeController::ReverbModeController(QWidget* parent) : ModulePanel(reverbTable(), parent) {}

}  // namespace quorvex
