#pragma once
#include "parameter_blocks.h"
#include "preset_record.h"

#include <array>
#include <cstdint>
#include <optional>
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

// A module as the editor shows it: its block and which elements are shown, on/off,
// model, the rows of the model's layout and its visible lists (bit e for element e).
// Elements the layout hides are the panel's own business until a model shows them,
// and then they travel with the next edit.
struct ModuleShown {
    ModuleBlock values{};
    std::uint32_t shown = 0;
};

// The sound the editor shows: every module and the chain order. Kept for each slot
// saved, the pedal must have stored exactly this. Fixed size, so that keeping it
// costs no memory the soak would count as growth.
struct SoundShown {
    std::array<ModuleShown, kModuleCount> modules{};
    std::array<std::uint32_t, kModuleCount> order{};
};
using SavedSounds = std::array<std::optional<SoundShown>, kSlotCount>;

ModuleShown moduleShown(const ModulePanel& panel);
SoundShown soundShown(const EditorWindow& window);

// Each difference between the pedal and the editor as one sentence.
// The current preset, every module and the chain as they play now.
std::vector<std::string> compareLiveSound(const pedal::VirtualPedal& pedal, const EditorWindow& window);
// The editor's copy of all 300 stored presets and their list entries against the
// pedal's, and each slot saved in the run against the sound shown when it was saved.
std::vector<std::string> compareStoredPresets(const pedal::VirtualPedal& pedal, AppDelegate& hub,
                                              const EditorWindow& window, const SavedSounds& saves);

}  // namespace quorvex::soak
