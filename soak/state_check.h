#pragma once
#include "parameter_blocks.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace quorvex {
class AppDelegate;
class EditorWindow;
class ModulePanel;
namespace pedal {
class VirtualPedal;
}
}  // namespace quorvex

namespace quorvex::soak {

// One element of a module block and the value the editor holds for it.
struct ShownValue {
    int element = 0;
    std::uint32_t value = 0;
    std::string name;  // as the panel captions it: "on/off", "model", "GAIN", ...
};

// The sound the editor showed at a save: every module's shown values and the chain
// order. The pedal must have stored exactly this in the slot.
struct SavedSound {
    std::array<std::vector<ShownValue>, kModuleCount> modules;
    std::array<std::uint32_t, kModuleCount> order{};
};

// The elements that make the sound a panel shows: on/off, model, the rows of the
// model's layout and its visible lists. Elements the layout hides are the panel's own
// business until a model shows them, and then they travel with the next edit.
std::vector<ShownValue> shownValues(const ModulePanel& panel);
SavedSound soundShown(const EditorWindow& window);

// Each difference between the pedal and the editor as one sentence.
// The current preset, every module and the chain as they play now.
std::vector<std::string> compareLiveSound(const pedal::VirtualPedal& pedal, const EditorWindow& window);
// The editor's copy of all 300 stored presets and their list entries against the
// pedal's, and each slot saved in the run against the sound shown when it was saved.
std::vector<std::string> compareStoredPresets(const pedal::VirtualPedal& pedal, AppDelegate& hub,
                                              const EditorWindow& window, const std::map<int, SavedSound>& saves);

}  // namespace quorvex::soak
