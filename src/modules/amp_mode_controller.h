#pragma once
#include "module_panel.h"

namespace quorvex {

// AMP: the amp models and six tone controls. Models 56..65 are the pedal's ten user amp
// slots; they take the names the pedal reports.
class AmpModeController : public ModulePanel {
    Q_OBJECT
public:
    static constexpr int kFirstUserSlot = 55;  // list position of user slot 0

    explicit AmpModeController(QWidget* parent = nullptr);
    static ModuleTable ampTable();

    void attachToHub(AppDelegate& hub) override;
};

}  // namespace quorvex
