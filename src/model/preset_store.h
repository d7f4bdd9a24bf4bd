#pragma once
#include "preset_record.h"

#include <array>
#include <string>
#include <vector>

namespace quorvex {

// The copy of all 300 stored presets (the dump) and their name table.
class PresetStore {
public:
    const PresetRecord& record(int slot) const { return records_[static_cast<std::size_t>(slot)]; }
    PresetRecord& record(int slot) { return records_[static_cast<std::size_t>(slot)]; }

    // Stores a received record; with updateName the name table entry follows the record.
    void storeRecord(int slot, const std::uint8_t* bytes, bool updateName);
    void setName(int slot, const std::array<std::uint8_t, kNameSize>& name16);

    std::string name(int slot) const;
    std::string displayText(int slot) const;
    std::vector<std::string> presetList() const;

    static bool validSlot(int slot) { return slot >= 0 && slot < kSlotCount; }

private:
    std::array<PresetRecord, kSlotCount> records_{};
    std::array<std::array<std::uint8_t, kNameSize>, kSlotCount> names_{};
};

}  // namespace quorvex
