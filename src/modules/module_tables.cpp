#include "module_tables.h"

namespace quorvex {
namespace {

// A gain stored as dB + 12 (0..24), a frequency in hertz.
RowSpec gain(const QString& title, int element) { return {title, element, RowScale::gainDb(), QStringLiteral("dB")}; }
RowSpec frequency(const QString& title, int element) {
    return {title, element, RowScale::range(60, 18000), QStringLiteral("Hz")};
}

std::vector<RowSpec> bands(const QStringList& names) { return plainRows(names, 2, RowScale::gainDb()); }

// A signed pitch in tenths of a semitone in `element`, then MIX and TONE.
std::vector<RowSpec> pitchRows(int element, int high) {
    return {{"PITCH", element, RowScale::signedSteps(high, high / 2, 10)}, {"MIX", 3}, {"TONE", 4}};
}

RowSpec delayTime(const QString& title, int element) { return {title, element, RowScale::range(40, 2500)}; }

ModuleTable fxTable() {
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

ModuleTable dsTable() {
    ModuleTable t = moduleTable(Module::Ds, 3);
    t.groups = {{"", "", plainRows({"VOLUME", "TONE", "GAIN"})}};  // titleArr207_1, no picture
    t.models = oneGroupModels({"TUBE DRIVE", "SCREAMER #8", "CLEAN BST", "FLEX BOOST", "BARBIE DD",
                               "MOUSE", "FUZZ CAKE", "BIG FOOL", "METAL Z", "METAL M",
                               "FULL DS1", "TOMMY OD", "FULL OD", "SHRED MASTER", "BB PRE",
                               "BB+", "REBELLION", "ROCK TWEAKER", "FULL DS2", "CLONE"});
    return t;
}

ModuleTable ampTable() {
    ModuleTable t = moduleTable(Module::Amp, 6);
    t.groups = {{"", "", plainRows({"GAIN", "BASS", "MID", "TREBLE", "PRES", "MST"})}};  // titleArr208, no picture
    // "EG E650 A" and "EG E650 B" stand twice; the pedal counts both pairs.
    t.models = oneGroupModels({
        "US 65 DLX",        "US 65 TW",         "US 59 BSM",     "US SUPER S",     "US BLUES A",     "US BLUES B",
        "BRITISH 800",      "BRITISH 900",      "BRITISH P100",  "EG E650 A",      "EG E650 B",      "EG E450 A",
        "EG E450 B",        "EG E650 A",        "EG E650 B",     "MB MK3 A",       "MB MK3 B",       "MB MK5 A",
        "MB MK5 B",         "MB TR A",          "MB TR B",       "UK FRUIT RV A",  "UK FRUIT RV B",  "UK FRUIT AD30",
        "UK FRUIT OR50",    "SOLDAN 100 A",     "SOLDAN 100 B",  "DOCTOR 18 JR",   "DOCTOR ZWK",     "J-CITY J100 A",
        "J-CITY J100 B",    "RJC 120",          "BRITISH 30 A",  "BRITISH 30 B",   "HWATT 103",      "BROWN 5051 A",
        "BROWN 5051 B",     "DYNAST FLC A",     "DYNAST FLC B",  "DYNAST FLC C",   "ROCKS COREL A",  "ROCKS COREL B",
        "ROCKS CDFF",       "BROWN 5053 A",     "BROWN 5053 B",  "BLACKHOLE S100 A", "BLACKHOLE S100 B", "DIESEL HG A",
        "DIESEL HG B",      "DIESEL HG C",      "KOK PT A",      "KOK PT B",       "MB DUAL A",      "MB DUAL B",
        "UNBEATABLE 30 A",  "UNBEATABLE 30 B",  "FREEMAN SB50 A", "FREEMAN SB50 B", "ACOUSTIC 1",    "ACOUSTIC 2",
        "ACOUSTIC 3"});
    return t;
}

ModuleTable cabTable() {
    ModuleTable t = moduleTable(Module::Cab, 2);
    t.groups = {
        {"209_1", "CABINET", plainRows({"CENTER", "DISTANCE"}, 3), {"TUBE", "MIC"}},  // titleArr209_1
        {"209_2", "USER IR", {}, {"TUBE"}},                                         // titleArr209_2
    };
    const QStringList cabinets = {
        "US DLX 112",   "US TW 212",      "US BSM 410",     "SUPER S 112",    "BLUES 112",     "1960 412",
        "EG P412",      "EG V412",        "MB M112",        "MB R412",        "UK FRUIT 412",  "UK FRUIT 212",
        "SOLDAN 412",   "DOCTOR M112",    "DOCTOR ZWK 112", "RJC 212",        "BRITISH 30 212", "HWATT 412",
        "BROWN 5150 412", "DYNAST FLO 110", "ROCKS 212",    "ROCKS 112",      "BROWN 5053 412", "BLACKHOLE 412",
        "DIESEL HG 412", "ACOUSTIC112"};
    t.models = oneGroupModels(cabinets);
    for (int slot = 0; slot < kUserSlotCount; ++slot) t.models.push_back({QStringLiteral("EMPTY"), 1});
    t.lists = {{5, {"OFF", "EL34", "EL84", "6L6", "6V6"}},                                             // popButtonTube
               {2, {"SM57", "U47", "U87", "NT1", "MD421", "MD441", "MXL2001", "MXL2003", "C3000", "C4000B"}}};  // popButtonMic
    t.listsBeforeRows = true;
    // A cabinet number outside the list (0, above 36) shows the user-slot layout.
    t.unknownModelGroup = 1;
    return t;
}

ModuleTable nsTable() {
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

ModuleTable eqTable() {
    ModuleTable t = moduleTable(Module::Eq, 6);
    t.groups = {
        {"213", "GUITAR EQ", bands({"100Hz", "250Hz", "630Hz", "1.6KHz", "4KHz"})},               // titleArr213
        {"214", "METAL EQ", bands({"80Hz", "240Hz", "750Hz", "2.2KHz", "6.6KHz"})},               // titleArr214
        {"215", "6 BANDS", bands({"100Hz", "200Hz", "400Hz", "800Hz", "1.6KHz", "3.2KHz"})},      // titleArr215
        // titleArr216: unit labels right of the rows; the band captions tell the rows apart.
        {"216", "CUSTOM",
         {gain("BAND 1", 2), gain("BAND 2", 4), gain("BAND 3", 6), frequency("FREQ 1", 8), frequency("FREQ 2", 9),
          frequency("FREQ 3", 10)}},
    };
    t.models = {{"GUITAR EQ", 0}, {"METAL EQ", 1}, {"6BANDS EQ", 2}, {"CUSTOM EQ", 3}};
    t.startGroup = 2;
    t.reportsCopyShownOnly = true;
    return t;
}

ModuleTable modTable() {
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

ModuleTable delayTable() {
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

ModuleTable reverbTable() {
    ModuleTable t = moduleTable(Module::Reverb, 4);
    // titleArr230; no picture
    std::vector<RowSpec> rows = {{"PRE DELAY", 2, RowScale::multiplied(5)}};
    for (RowSpec& row : plainRows({"LEVEL", "DECAY", "TONE"}, 3)) rows.push_back(row);
    t.groups = {{"", "", rows}};
    t.models = oneGroupModels({"ROOM", "HALL", "CHURCH", "PLATE", "SPRING", "MOD", "CAVE"});
    return t;
}

}  // namespace

ModuleTable moduleTableOf(Module module) {
    switch (module) {
    case Module::Fx: return fxTable();
    case Module::Ds: return dsTable();
    case Module::Amp: return ampTable();
    case Module::Cab: return cabTable();
    case Module::Ns: return nsTable();
    case Module::Eq: return eqTable();
    case Module::Mod: return modTable();
    case Module::Delay: return delayTable();
    case Module::Reverb: return reverbTable();
    }
    return fxTable();
}

}  // namespace quorvex
