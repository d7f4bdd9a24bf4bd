#pragma once
#include "pedal_memory.h"

#include <vector>

namespace quorvex::pedal {

// The content a new pedal leaves the factory with. Deterministic: every call gives
// the same bytes.

// 300 preset records: named sounds (slot 4 is CLEAN; a few names fill all 16 bytes,
// a few slots are unnamed), chain orders that are permutations of the nine modules,
// module values within each model's ranges, and non-zero bytes in the areas the
// pedal does not interpret.
std::vector<PresetRecord> factoryPresetRecords();

// A whole pedal: the presets, some user IR and amp slots filled, the global settings,
// preset 0 current and loaded.
PedalMemory factoryMemory();

// Slots of the factory content that hold a user IR, and those that hold a user amp.
inline constexpr int kFactoryIrSlots[] = {0, 1, 4};
inline constexpr int kFactoryAmpSlots[] = {0, 2};

}  // namespace quorvex::pedal
