#pragma once
#include "preset_store.h"

#include <vector>

namespace quorvex {

// One record to go into one slot.
struct SlotWrite {
    int slot = 0;
    PresetRecord record{};
};

// The writes that move the preset of `from` to `to`: the presets between shift by one
// toward `from`. Only slots whose record changes are written.
std::vector<SlotWrite> moveWrites(const PresetStore& store, int from, int to);
// The write that copies the preset of `from` over `to`; none when `to` holds it already.
std::vector<SlotWrite> copyWrites(const PresetStore& store, int from, int to);

// The slots of a move or a copy whose presets never arrived from the pedal (and so
// cannot be moved or written over knowingly).
std::vector<int> missingSlotsOf(const PresetStore& store, int from, int to, bool move);

}  // namespace quorvex
