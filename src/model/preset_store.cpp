#include "preset_store.h"

#include <algorithm>

namespace quorvex {

void PresetStore::expectWriter(int slot, std::string writer) {
    if (validSlot(slot)) writers_[static_cast<std::size_t>(slot)] = std::move(writer);
}

void PresetStore::storeRecord(int slot, const std::uint8_t* bytes, bool updateName, const std::string& writer) {
    const auto s = static_cast<std::size_t>(slot);
    PresetRecord incoming{};
    std::copy(bytes, bytes + kRecordSize, incoming.begin());
    if (hasConfirmed_.test(s) && confirmed_[s] != incoming && replaced_)
        replaced_(slot, confirmed_[s], incoming, writers_[s].empty() ? writer : writers_[s]);
    writers_[s].clear();
    confirmed_[s] = incoming;
    hasConfirmed_.set(s);
    auto& rec = record(slot);
    rec = incoming;
    if (updateName) std::copy_n(rec.begin() + record::kName, kNameSize, names_[static_cast<std::size_t>(slot)].begin());
    arrived_.set(static_cast<std::size_t>(slot));
}

std::vector<int> PresetStore::missingSlots() const {
    std::vector<int> missing;
    for (int i = 0; i < kSlotCount; ++i)
        if (!arrived_.test(static_cast<std::size_t>(i))) missing.push_back(i);
    return missing;
}

void PresetStore::setName(int slot, const std::array<std::uint8_t, kNameSize>& name16) {
    names_[static_cast<std::size_t>(slot)] = name16;
    std::copy(name16.begin(), name16.end(), record(slot).begin() + record::kName);
}

std::string missingPresetsText(const std::vector<int>& missing) {
    constexpr std::size_t kNamed = 12;  // enough to recognise the gap, short enough to read
    std::string text = std::to_string(missing.size()) + " of " + std::to_string(kSlotCount) +
                       " presets did not arrive from the pedal: ";
    for (std::size_t i = 0; i < missing.size() && i < kNamed; ++i) text += (i ? ", " : "") + slotLabel(missing[i]);
    if (missing.size() > kNamed) text += " and " + std::to_string(missing.size() - kNamed) + " more";
    text += ".\nTheir names in the list are missing or out of date. Unplug the pedal, plug it in again "
            "and start again to read them.";
    return text;
}

std::string PresetStore::name(int slot) const { return nameText(names_[static_cast<std::size_t>(slot)].data()); }

std::string PresetStore::displayText(int slot) const { return presetDisplayText(slot, name(slot)); }

std::vector<std::string> PresetStore::presetList() const {
    std::vector<std::string> list;
    list.reserve(kSlotCount);
    for (int i = 0; i < kSlotCount; ++i) list.push_back(displayText(i));
    return list;
}

}  // namespace quorvex
