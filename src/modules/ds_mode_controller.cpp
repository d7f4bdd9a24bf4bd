#include "ds_mode_controller.h"

namespace quorvex {

ModuleTable DsModeController::dsTable() {
    ModuleTable t = moduleTable(Module::Ds, 3);
    t.groups = {{"", "", plainRows({"VOLUME", "TONE", "GAIN"})}};  // titleArr207_1, no picture
    t.models = oneGroupModels({"TUBE DRIVE", "SCREAMER #8", "CLEAN BST", "FLEX BOOST", "BARBIE DD",
                               "MOUSE", "FUZZ CAKE", "BIG FOOL", "METAL Z", "METAL M",
                               "FULL DS1", "TOMMY OD", "FULL OD", "SHRED MASTER", "BB PRE",
                               "BB+", "REBELLION", "ROCK TWEAKER", "FULL DS2", "CLONE"});
    return t;
}

DsModeController::DsModeController(QWidget* parent) : ModulePanel(dsTable(), parent) {}

}  // namespace quorvex
