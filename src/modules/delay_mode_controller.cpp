#include "delay_mode_controller.h"

namespace quorvex {
namespace {

RowSpec delayTime(const QString& title, int element) { return {title, element, RowScale::range(40, 2500)}; }

}  // namespace

ModuleTable DelayModeController::delayTable() {
    ModuleTable t = moduleTable(Module::Delay, 4);
    const RowSpec level{"LEVEL", 2};
    const RowSpec feedback{"F.BACK", 3};
    // Subdivision names come first in the name arrays; they caption the two lists.
    t.groups = {
        {"", "", {level, feedback, delayTime("TIME", 4)}, {"SUB-D"}},                               // titleArr227
        {"228", "DYNAMIC", {level, feedback, delayTime("TIME", 4), {"THRES", 6}}, {"SUB-D"}},        // titleArr228
        {"229", "DUAL DELAY", {level, feedback, delayTime("TIME.A", 4), delayTime("TIME.B", 7)}, {"SUB-A", "SUB-B"}},  // titleArr229
    };
    t.models = {{"DIGITAL", 0}, {"ANALOG", 0}, {"REAL", 0},    {"TAPE", 0},      {"MOD", 0},
                {"REVERSE", 0}, {"PINGPONG", 0}, {"DYNAMIC", 1}, {"DUAL DELAY", 2}};
    const QStringList subdivisions = {"OFF", "1/4", "1/4T", "1/4D", "1/8", "1/8T", "1/8D", "1/16", "1/16T", "1/16D"};
    t.lists = {{5, subdivisions}, {8, subdivisions}};  // popButtonSubA, popButtonSubB
    t.startGroup = 2;
    return t;
}

DelayModeController::DelayModeController(QWidget* parent) : ModulePanel(delayTable(), parent) {}

}  // namespace quorvex
