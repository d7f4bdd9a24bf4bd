#include "cab_mode_controller.h"

#include "app_delegate.h"
#include "g_pop_up_button.h"
#include "slot_import_flow.h"

#include <QMessageBox>
#include <QPushButton>

namespace quorvex {

CabModeController::CabModeController(QWidget* parent)
    : ModulePanel(moduleTableOf(Module::Cab), parent), importFlow_(new SlotImportFlow(this)) {
    popButton()->setCabAddDelete(ui::GPopUpButton::kSlotMode);
    // Until a pedal is connected every slot reads "EMPTY", whatever it holds.
    popButton()->setSlotDeleteEnabled(false);
}

void CabModeController::attachToHub(AppDelegate& hub) {
    // IRNAME_ReveiveDataUpdateData: ten names of 10 bytes.
    hub.route(EventCode::IRNAME_ReveiveDataUpdateData, [panel = QPointer<CabModeController>(this)](const auto& v) {
        if (!panel) return;
        panel->setUserSlotNames(kFirstUserSlot, slotNamesFromReport(v, kCabNameBytes));
    });
    connect(this, &CabModeController::irSlotDeleted, &hub, [&hub](int slot) { hub.IrDeleteAction(slot); });
    popButton()->setSlotDeleteEnabled(hub.isPedalConnected());
    connect(&hub, &AppDelegate::pedalConnectionChanged, popButton(), &ui::GPopUpButton::setSlotDeleteEnabled);
    importFlow_->setHub(hub);
}

void CabModeController::popupButtonChange(ui::GPopUpButton* sender) {
    ui::GPopUpButton* cabinets = popButton();
    const qint64 row = cabinets->indexNumberCABOperate();
    const qint64 mode = cabinets->cabAddDelete();
    if (sender == cabinets && row >= kFirstUserSlot && (mode == ui::GPopUpButton::kSlotAdd || mode == ui::GPopUpButton::kSlotDelete)) {
        cabinets->setCabAddDelete(ui::GPopUpButton::kSlotMode);
        irOperateIndex_ = static_cast<int>(row) + 1;
        if (mode == ui::GPopUpButton::kSlotAdd) {
            newImportIR();
        } else {
            newDeleteIR();
        }
        return;
    }
    ModulePanel::popupButtonChange(sender);
}

QMessageBox* CabModeController::deleteQuestion() const { return question_; }

void CabModeController::newImportIR() {
    popButton()->hideList();
    const int position = irOperateIndex_ - 1;
    importFlow_->importIr(position - kFirstUserSlot, [this, position](const QString& name) { renameModel(position, name); });
}

void CabModeController::newDeleteIR() {
    popButton()->hideList();
    openAlertPanel();
}

void CabModeController::openAlertPanel() {
    // A sheet on the window: the rest of the editor keeps running while it waits.
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("QUORVEX III"), QStringLiteral("warning"),
                                QMessageBox::NoButton, this);
    box->setInformativeText(QStringLiteral("Do you want to delete IR Data?"));
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box->addButton(QStringLiteral("NO"), QMessageBox::RejectRole);
    box->setWindowModality(Qt::WindowModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::buttonClicked, this, [this, ok](QAbstractButton* clicked) {
        if (clicked == ok) deleteConfirmed();
    });
    question_ = box;
    box->open();
}

void CabModeController::deleteConfirmed() {
    emit irSlotDeleted(irOperateIndex_ - 1 - kFirstUserSlot);
    renameModel(irOperateIndex_ - 1, QStringLiteral("EMPTY"));
}

}  // namespace quorvex
