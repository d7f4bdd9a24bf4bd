#pragma once
#include "state_check.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <random>

namespace quorvex {
class EditorWindow;
class ModulePanel;
class SaveWindowController;
namespace pedal {
class VirtualPedal;
}
}  // namespace quorvex

namespace quorvex::soak {

// What a guitarist does in the editor, and two things done on the pedal itself.
enum class Operation {
    SliderDrag,       // a parameter slider dragged in a few steps
    TypedNumber,      // a number typed into a row's field, sometimes beyond its range
    ModelPick,        // another model from a panel's EFFECT list
    ListPick,         // an entry of a panel's extra list (the delay subdivisions)
    ModuleSwitch,     // a chain block clicked: the shown module on or off, or another opened
    PresetPick,       // a slot picked in the preset list (edited: the save dialog first)
    Save,             // the save dialog ended with SAVE, into a random slot under a random name
    ChainMove,        // a chain block dropped onto another place
    PedalKnob,        // a knob (or a module switch) turned on the pedal
    PedalFootswitch,  // a preset picked with the pedal's footswitches
};
inline constexpr int kOperationKinds = 10;
const char* operationName(Operation operation);

// Drives the main window and the pedal with operations drawn from a seeded generator,
// through the calls the panels, the preset list, the save dialog and the chain make.
class SoakDriver {
public:
    SoakDriver(EditorWindow& window, pedal::VirtualPedal& pedal, std::uint32_t seed);

    // One operation, then the pause a brisk guitarist leaves before the next.
    void step();

    const std::array<std::size_t, kOperationKinds>& counts() const { return counts_; }
    // The sound the editor showed when each slot was saved last; empty for slots not saved.
    const SavedSounds& saves() const { return *saves_; }
    std::size_t slotsSaved() const;

private:
    int uniform(int low, int high);
    bool chance(double p);
    ModulePanel& openModule(Module module);
    bool dragSlider(ModulePanel& panel);
    bool typeNumber(ModulePanel& panel);
    bool pickModel(ModulePanel& panel);
    bool pickListEntry(ModulePanel& panel);
    void switchModule();
    void pickPreset();
    void moveChain();
    void turnPedalKnob();
    void answerSaveDialog(SaveWindowController& dialog);
    QString randomName();
    void count(Operation operation) { ++counts_[static_cast<std::size_t>(operation)]; }

    EditorWindow& window_;
    pedal::VirtualPedal& pedal_;
    std::mt19937 random_;
    bool saveWanted_ = false;  // the save dialog was opened with the SAVE button
    std::array<std::size_t, kOperationKinds> counts_{};
    std::unique_ptr<SavedSounds> saves_ = std::make_unique<SavedSounds>();
};

}  // namespace quorvex::soak
