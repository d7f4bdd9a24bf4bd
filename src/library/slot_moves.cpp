#include "slot_moves.h"

#include <algorithm>

namespace quorvex {
namespace {

void addChanged(std::vector<SlotWrite>& writes, const PresetStore& store, int slot, const PresetRecord& record) {
    if (store.record(slot) != record) writes.push_back({slot, record});
}

}  // namespace

std::vector<SlotWrite> moveWrites(const PresetStore& store, int from, int to) {
    std::vector<SlotWrite> writes;
    if (!PresetStore::validSlot(from) || !PresetStore::validSlot(to) || from == to) return writes;
    const int step = from < to ? 1 : -1;
    for (int slot = from; slot != to; slot += step) addChanged(writes, store, slot, store.record(slot + step));
    addChanged(writes, store, to, store.record(from));
    return writes;
}

std::vector<SlotWrite> copyWrites(const PresetStore& store, int from, int to) {
    std::vector<SlotWrite> writes;
    if (PresetStore::validSlot(from) && PresetStore::validSlot(to)) addChanged(writes, store, to, store.record(from));
    return writes;
}

std::vector<int> missingSlotsOf(const PresetStore& store, int from, int to, bool move) {
    std::vector<int> missing;
    const int low = move ? std::min(from, to) : from;
    const int high = move ? std::max(from, to) : from;
    for (int slot = low; slot <= high; ++slot)
        if (!store.arrived(slot)) missing.push_back(slot);
    if (!move && !store.arrived(to)) missing.push_back(to);
    return missing;
}

}  // namespace quorvex
