#include "amp_mode_controller.h"

#include "app_delegate.h"
#include "slot_import_flow.h"

#include <QPointer>
#include <QPushButton>

namespace quorvex {

AmpModeController::AmpModeController(QWidget* parent)
    : ModulePanel(moduleTableOf(Module::Amp), parent), importButton_(new QPushButton(QStringLiteral("IMPORT"), this)),
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
        if (panel) panel->setUserSlotNames(kFirstUserSlot, slotNamesFromReport(v, kAmpNameBytes));
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
