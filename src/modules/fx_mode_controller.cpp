#include "fx_mode_controller.h"

namespace quorvex {

ModuleTable FxModeController::fxTable() {
    ModuleTable t;
    t.module = Module::Fx;
    t.caption = QStringLiteral("FX/COMP");
    t.rows = 4;
    t.groups = {
        {QStringLiteral("203"), QStringLiteral("WAH"), {"Q", "POSITION", "PEAK", "LEVEL"}},          // titleArr203
        {QStringLiteral("204"), QStringLiteral("AUTO WAH"), {"RATE", "RANGE", "PEAK", "LEVEL"}},     // titleArr204
        {QStringLiteral("205"), QStringLiteral("ENVELOPE"), {"ATTACK", "SENS", "PEAK", "LEVEL"}},    // titleArr205
        {QStringLiteral("206"), QStringLiteral("COMPRESSOR"), {"ATTACK", "THRES", "RATIO", "LEVEL"}},  // titleArr206
    };
    t.models = {{"CRYING 95", 0}, {"CRYING 535", 0}, {"AUTO WAH", 1},     {"TALK AH", 1},
                {"TALK OH", 1},   {"ENVELOPER", 2},  {"COMPRESSOR 1", 3}, {"COMPRESSOR 2", 3}};
    t.startGroup = 0;
    return t;
}

FxModeController::FxModeController(QWidget* parent) : ModulePanel(fxTable(), parent) {}

}  // namespace quorvex
