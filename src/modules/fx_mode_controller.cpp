#include "fx_mode_controller.h"

namespace quorvex {

ModuleTable FxModeController::fxTable() {
    ModuleTable t = moduleTable(Module::Fx, 4);
    t.groups = {
        {"203", "WAH", plainRows({"Q", "POSITION", "PEAK", "LEVEL"})},              // titleArr203
        {"204", "AUTO WAH", plainRows({"RATE", "RANGE", "PEAK", "LEVEL"})},         // titleArr204
        {"205", "ENVELOPE", plainRows({"ATTACK", "SENS", "PEAK", "LEVEL"})},        // titleArr205
        {"206", "COMPRESSOR", plainRows({"ATTACK", "THRES", "RATIO", "LEVEL"})},    // titleArr206
    };
    t.models = {{"CRYING 95", 0}, {"CRYING 535", 0}, {"AUTO WAH", 1},     {"TALK AH", 1},
                {"TALK OH", 1},   {"ENVELOPER", 2},  {"COMPRESSOR 1", 3}, {"COMPRESSOR 2", 3}};
    return t;
}

FxModeController::FxModeController(QWidget* parent) : ModulePanel(fxTable(), parent) {}

}  // namespace quorvex
