#include "eq_mode_controller.h"

namespace quorvex {
namespace {

// A gain stored as dB + 12 (0..24), a frequency in hertz.
RowSpec gain(const QString& title, int element) { return {title, element, RowScale::gainDb(), QStringLiteral("dB")}; }
RowSpec frequency(const QString& title, int element) {
    return {title, element, RowScale::range(60, 18000), QStringLiteral("Hz")};
}

std::vector<RowSpec> bands(const QStringList& names) { return plainRows(names, 2, RowScale::gainDb()); }

}  // namespace

ModuleTable EqModeController::eqTable() {
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

EqModeController::EqModeController(QWidget* parent) : ModulePanel(eqTable(), parent) {}

}  // namespace quorvex
