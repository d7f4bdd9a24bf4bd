#pragma once
#include "preset_record.h"

#include <array>
#include <bitset>
#include <functional>
#include <string>
#include <vector>

namespace quorvex {

// The copy of all 300 stored presets (the dump) and their name table.
class PresetStore {
public:
    const PresetRecord& record(int slot) const { return records_[static_cast<std::size_t>(slot)]; }
    PresetRecord& record(int slot) { return records_[static_cast<std::size_t>(slot)]; }

    // Called when the pedal confirms a record for a slot that held another confirmed
    // record: the slot, the record it held, the new one and what wrote it ("save",
    // "import", "restore", "put back", or "pedal" for the pedal's own).
    using ReplacedHandler = std::function<void(int slot, const PresetRecord& old, const PresetRecord& replacement,
                                               const std::string& writer)>;
    void onReplaced(ReplacedHandler handler) { replaced_ = std::move(handler); }
    // Names the writer of the slot's next confirmed record, over what the link assumes.
    void expectWriter(int slot, std::string writer);

    // Stores a record the pedal sent or confirmed, written by `writer`; with updateName
    // the name table entry follows the record. The slot counts as arrived from then on.
    void storeRecord(int slot, const std::uint8_t* bytes, bool updateName, const std::string& writer = "pedal");
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
    // What the pedal last confirmed for each slot, which a save's name does not touch.
    std::array<PresetRecord, kSlotCount> confirmed_{};
    std::bitset<kSlotCount> hasConfirmed_;
    std::array<std::string, kSlotCount> writers_;
    ReplacedHandler replaced_;
};

// Tells the user which presets never arrived, for example "2 of 300 presets did not
// arrive from the pedal: 001A, 034C." followed by what to do about it.
std::string missingPresetsText(const std::vector<int>& missing);

}  // namespace quorvex
