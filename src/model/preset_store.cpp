#include "preset_store.h"

#include <algorithm>

namespace quorvex {

void PresetStore::storeRecord(int slot, const std::uint8_t* bytes, bool updateName) {
    auto& rec = record(slot);
    std::copy(bytes, bytes + kRecordSize, rec.begin());
    if (updateName) std::copy_n(rec.begin() + record::kName, kNameSize, names_[static_cast<std::size_t>(slot)].begin());
}

void PresetStore::setName(int slot, const std::array<std::uint8_t, kNameSize>& name16) {
    names_[static_cast<std::size_t>(slot)] = name16;
    std::copy(name16.begin(), name16.end(), record(slot).begin() + record::kName);
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
