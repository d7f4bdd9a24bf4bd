#include "pedal_memory.h"

#include <algorithm>

namespace quorvex::pedal {

LiveSound soundFromRecord(const PresetRecord& rec, const LiveSound& previous) {
    LiveSound sound;
    for (int m = 0; m < kModuleCount; ++m) {
        const auto values = moduleValuesFromRecord(rec, static_cast<Module>(m));
        std::copy(values.begin(), values.end(), sound.modules[static_cast<std::size_t>(m)].begin());
    }
    sound.chain = chainFromRecord(rec);
    sound.volume = rec[record::kPresetVolume];
    sound.exp = expFromRecord(rec);
    sound.exp[5] = previous.exp[5];
    sound.exp[6] = previous.exp[6];
    sound.ctrl = ctrlFromRecord(rec);
    sound.ctrl[0] = previous.ctrl[0];
    sound.base = rec;
    return sound;
}

void storeSoundInRecord(const LiveSound& sound, PresetRecord& rec) {
    for (int m = 0; m < kModuleCount; ++m) {
        const auto& block = sound.modules[static_cast<std::size_t>(m)];
        storeModuleValuesInRecord(rec, static_cast<Module>(m), std::span<const std::uint32_t>(block));
    }
    storeChainInRecord(rec, sound.chain);
    rec[record::kPresetVolume] = static_cast<std::uint8_t>(sound.volume);
    storeExpInRecord(rec, sound.exp);
    storeCtrlInRecord(rec, sound.ctrl);
}

std::array<std::uint8_t, kNameTableSize> irNameTable(const PedalMemory& memory) {
    std::array<std::uint8_t, kNameTableSize> table{};
    for (std::size_t s = 0; s < kUserSlots; ++s) {
        const auto& name = memory.irSlots[s].name;
        std::copy_n(name.begin(), kIrNameShown, table.begin() + static_cast<std::ptrdiff_t>(s * kIrNameShown));
    }
    return table;
}

std::array<std::uint8_t, kNameTableSize> ampNameTable(const PedalMemory& memory) {
    std::array<std::uint8_t, kNameTableSize> table{};
    for (std::size_t s = 0; s < kUserSlots; ++s) {
        const auto& name = memory.ampSlots[s].name;
        std::copy(name.begin(), name.end(), table.begin() + static_cast<std::ptrdiff_t>(s * kAmpNameSize));
    }
    return table;
}

}  // namespace quorvex::pedal
