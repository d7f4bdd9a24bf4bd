#include "amp_mode_controller.h"

#include "app_delegate.h"

#include <QPointer>

namespace quorvex {

ModuleTable AmpModeController::ampTable() {
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

AmpModeController::AmpModeController(QWidget* parent) : ModulePanel(ampTable(), parent) {}

void AmpModeController::attachToHub(AppDelegate& hub) {
    // AMPNAME_ReveiveDataUpdateData: ten names of 15 bytes.
    hub.route(EventCode::AMPNAME_ReveiveDataUpdateData, [panel = QPointer<AmpModeController>(this)](const auto& v) {
        if (panel) panel->setUserSlotNames(kFirstUserSlot, slotNamesFromReport(v, 15));
    });
}

}  // namespace quorvex
