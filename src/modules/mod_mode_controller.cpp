#include "mod_mode_controller.h"

namespace quorvex {
namespace {

// A signed pitch in tenths of a semitone in `element`, then MIX and TONE.
std::vector<RowSpec> pitchRows(int element, int high) {
    return {{"PITCH", element, RowScale::signedSteps(high, high / 2, 10)}, {"MIX", 3}, {"TONE", 4}};
}

}  // namespace

ModuleTable ModModeController::modTable() {
    ModuleTable t = moduleTable(Module::Mod, 4);
    t.groups = {
        {"217", "PHASER", plainRows({"RATE", "LEVEL", "DEPTH"})},         // 0 titleArr217
        {"218", "FLANGER", plainRows({"RATE", "MIX", "FEEDBACK"})},       // 1 titleArr218
        {"219", "MODULATION", plainRows({"RATE", "MIX", "TONE"})},        // 2 titleArr219
        {"220", "VIBRATO", plainRows({"RATE", "DEPTH", "TONE"})},         // 3 titleArr220
        {"221", "PITCH SHIFT", pitchRows(2, 240)},                        // 4 titleArr221, -12.0..+12.0
        {"221", "DETUNE", pitchRows(6, 400)},                             // 5 titleArr221, -20.0..+20.0
        {"222", "CHORUS", plainRows({"RATE", "MIX", "TONE", "DEPTH"})},   // 6 titleArr222
        {"223", "Q-FILTER", plainRows({"RATE", "MIX", "Q"})},             // 7 titleArr223
        {"224", "PASS FILTER", plainRows({"RATE", "MIX", "RANGE"})},      // 8 titleArr224
        {"225", "SLOW GEAR", plainRows({"RISE", "LEVEL"})},               // 9 titleArr225
        {"226", "LO-FI", plainRows({"SAMPLE", "MIX", "BIT"})},            // 10 titleArr226
    };
    t.models = {{"PHASER", 0},     {"STEP PHASER", 0}, {"FAT PHASER", 0}, {"FLANGER", 1},    {"JET-FLANGER", 1},
                {"TREMOLO", 2},    {"STUTTER", 2},     {"VIBRATO", 3},    {"PITCH SHIFT", 4}, {"DETUNE", 5},
                {"ROTARY", 2},     {"ANA-CHORUS", 6},  {"TRI-CHORUS", 6}, {"RING MOD", 2},   {"Q-FILTER", 7},
                {"HIGH PASS", 8},  {"LOW PASS", 8},    {"SLOW GEAR", 9},  {"LOFI", 10}};
    t.startGroup = 6;
    // Reports copy the on/off state like the other panels, but of the parameters only
    // what the model shows.
    t.reportsCopyShownOnly = true;
    // Element 2 also holds the pitch of "PITCH SHIFT" (up to 240); under every other
    // model it is lowered to 100, also under "DETUNE", which does not show it.
    t.ceiling = {2, 100, 9};
    return t;
}

ModModeController::ModModeController(QWidget* parent) : ModulePanel(modTable(), parent) {}

}  // namespace quorvex
