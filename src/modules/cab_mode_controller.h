#pragma once
#include "module_panel.h"

#include <QPointer>

class QMessageBox;

namespace quorvex {

class SlotImportFlow;

// CAB: the cabinet, power-amp tube and microphone lists, microphone CENTER and
// DISTANCE. Cabinets 27..36 are the pedal's ten user impulse-response slots: they take
// the names the pedal reports, the "+" of their list rows loads a WAV file into them
// and the "-" empties them after asking (only while a pedal is connected).
class CabModeController : public ModulePanel {
    Q_OBJECT
public:
    static constexpr int kFirstUserSlot = kFirstUserCabPosition;

    explicit CabModeController(QWidget* parent = nullptr);

    ui::GPopUpButton* popButtonEffice() const { return popButton(); }
    ui::GPopUpButton* popButtonTube() const { return extraList(0); }
    ui::GPopUpButton* popButtonMic() const { return extraList(1); }
    // The 1-based cabinet-list position of the slot being imported or emptied (27..36).
    int irOperateIndex() const { return irOperateIndex_; }
    // The delete question while it is open.
    QMessageBox* deleteQuestion() const;
    SlotImportFlow* importFlow() const { return importFlow_; }

    void attachToHub(AppDelegate& hub) override;
    void popupButtonChange(ui::GPopUpButton* sender) override;
    // Loads a WAV file into slot irOperateIndex(); the list shows its name once the
    // pedal has it.
    void newImportIR();
    // Asks whether to empty slot irOperateIndex(); the answer comes later.
    void newDeleteIR();

signals:
    // The user confirmed emptying user IR slot 0..9.
    void irSlotDeleted(int slot);

private:
    void openAlertPanel();
    void deleteConfirmed();

    int irOperateIndex_ = 0;
    QPointer<QMessageBox> question_;
    SlotImportFlow* importFlow_ = nullptr;
};

}  // namespace quorvex
