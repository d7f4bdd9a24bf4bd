#pragma once
#include "preset_record.h"

#include <array>
#include <bitset>
#include <string>
#include <vector>

namespace quorvex {

// The copy of all 300 stored presets (the dump) and their name table.
class PresetStore {
public:
    const PresetRecord& record(int slot) const { return records_[static_cast<std::size_t>(slot)]; }
    PresetRecord& record(int slot) { return records_[static_cast<std::size_t>(slot)]; }

    // Stores a received record; with updateName the name table entry follows the record.
    // The slot counts as arrived from then on.
    void storeRecord(int slot, const std::uint8_t* bytes, bool updateName);
    void setName(int slot, const std::array<std::uint8_t, kNameSize>& name16);

    std::string name(int slot) const;
    std::string displayText(int slot) const;
    std::vector<std::string> presetList() const;

    // Whether the pedal has sent the slot's record; a slot whose record was lost on
    // the way holds zeros or stale bytes and must not pass for the pedal's preset.
    bool arrived(int slot) const { return validSlot(slot) && arrived_.test(static_cast<std::size_t>(slot)); }
    std::vector<int> missingSlots() const;
    // A save asked the pedal to store a new record in the slot: until the pedal sends it
    // back, the copy here is out of date and does not count as arrived.
    void awaitRecord(int slot) {
        if (validSlot(slot)) arrived_.reset(static_cast<std::size_t>(slot));
    }

    static bool validSlot(int slot) { return slot >= 0 && slot < kSlotCount; }

private:
    std::array<PresetRecord, kSlotCount> records_{};
    std::array<std::array<std::uint8_t, kNameSize>, kSlotCount> names_{};
    std::bitset<kSlotCount> arrived_;
};

// Tells the user which presets never arrived, for example "2 of 300 presets did not
// arrive from the pedal: 001A, 034C." followed by what to do about it.
std::string missingPresetsText(const std::vector<int>& missing);

}  // namespace quorvex
