#include "amp_mode_controller.h"

#include "app_delegate.h"
#include "slot_import_flow.h"

#include <QPointer>
#include <QPushButton>

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

AmpModeController::AmpModeController(QWidget* parent)
    : ModulePanel(ampTable(), parent), importButton_(new QPushButton(QStringLiteral("IMPORT"), this)),
      importFlow_(new SlotImportFlow(this)) {
    importButton_->setAccessibleName(QStringLiteral("IMPORT"));
    importButton_->setToolTip(QStringLiteral("Load an amp-model file (.amp) into the selected user slot"));
    addBesideModelList(importButton_);
    connect(importButton_, &QPushButton::clicked, this, &AmpModeController::ImportAMP);
    showImportForSelection();
}

void AmpModeController::attachToHub(AppDelegate& hub) {
    // AMPNAME_ReveiveDataUpdateData: ten names of 15 bytes.
    hub.route(EventCode::AMPNAME_ReveiveDataUpdateData, [panel = QPointer<AmpModeController>(this)](const auto& v) {
        if (panel) panel->setUserSlotNames(kFirstUserSlot, slotNamesFromReport(v, 15));
    });
    importFlow_->setHub(hub);
}

void AmpModeController::popupButtonChange(ui::GPopUpButton* sender) {
    ModulePanel::popupButtonChange(sender);
    showImportForSelection();
}

void AmpModeController::changedModeValue(const std::vector<std::uint32_t>& values) {
    ModulePanel::changedModeValue(values);
    showImportForSelection();
}

int AmpModeController::selectedUserSlot() const {
    const int slot = static_cast<int>(block()[1]) - 1 - kFirstUserSlot;
    return slot >= 0 && slot < kUserSlotCount ? slot : -1;
}

// Only a user slot can take a model; the factory models cannot be replaced.
void AmpModeController::showImportForSelection() { importButton_->setVisible(selectedUserSlot() >= 0); }

void AmpModeController::ImportAMP() {
    const int slot = selectedUserSlot();
    if (slot < 0) return;
    const int position = kFirstUserSlot + slot;
    importFlow_->importAmp(slot, [this, position](const QString& name) { renameModel(position, name); });
}

}  // namespace quorvex
