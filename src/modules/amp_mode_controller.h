#pragma once
#include "module_panel.h"

class QPushButton;

namespace quorvex {

class SlotImportFlow;

// AMP: the amp models and six tone controls. Models 56..65 are the pedal's ten user amp
// slots; they take the names the pedal reports, and while one is selected the IMPORT
// button loads an amp-model file into it.
class AmpModeController : public ModulePanel {
    Q_OBJECT
public:
    static constexpr int kFirstUserSlot = kFirstUserAmpPosition;

    explicit AmpModeController(QWidget* parent = nullptr);

    QPushButton* ImportAmpBtn() const { return importButton_; }
    SlotImportFlow* importFlow() const { return importFlow_; }

    void attachToHub(AppDelegate& hub) override;
    void popupButtonChange(ui::GPopUpButton* sender) override;
    void changedModeValue(const std::vector<std::uint32_t>& values) override;
    // Loads an amp-model file into the selected user slot.
    void ImportAMP();

private:
    // The user slot 0..9 of the selected model, or -1 for a factory model.
    int selectedUserSlot() const;
    void showImportForSelection();

    QPushButton* importButton_ = nullptr;
    SlotImportFlow* importFlow_ = nullptr;
};

}  // namespace quorvex
