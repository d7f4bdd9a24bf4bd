#pragma once
#include "parameter_blocks.h"
#include "preset_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace quorvex::pedal {

inline constexpr int kUserSlots = 10;          // user IR slots and user amp slots
inline constexpr std::size_t kIrNameSize = 11;  // as uploaded with the fourth IR chunk
inline constexpr std::size_t kIrNameShown = 10; // bytes per name in the IR name report
inline constexpr std::size_t kAmpNameSize = 15;
inline constexpr std::size_t kNameTableSize = 150;
inline constexpr std::size_t kIrSamples = 512;
inline constexpr std::size_t kIrItemSize = 2048;  // backup item of a user IR slot, 4 blocks
inline constexpr std::size_t kAmpItemSize = 2560; // backup item of a user amp slot, 5 blocks
inline constexpr std::size_t kSystemSize = 10;
inline constexpr std::size_t kSystemExtraSize = 5;
inline constexpr std::size_t kGlobalEqSize = 9;  // three bands of three bytes, both ways

// One user impulse-response slot. The data image is also the slot's backup item:
// bytes 0..511 hold bits 16..23 of the 512 samples, 512..1023 bits 8..15,
// 1024..1535 bits 0..7 (the three upload chunks as received), 1536..1546 the name.
struct IrSlot {
    bool present = false;
    std::array<std::uint8_t, kIrNameSize> name{};
    std::array<std::uint8_t, kIrItemSize> data{};
};
inline constexpr std::size_t kIrItemNameOffset = 1536;

// One user amp-model slot: its name and its backup item. The data image holds the four
// upload chunks as received (bits 24..31, 16..23, 8..15, 0..7 of the 512 model words),
// then from byte 2048 the name.
struct AmpSlot {
    bool present = false;
    std::array<std::uint8_t, kAmpNameSize> name{};
    std::array<std::uint8_t, kAmpItemSize> data{};
};
inline constexpr std::size_t kAmpChunks = 5;
inline constexpr std::size_t kAmpChunkSize = 512;
inline constexpr std::size_t kAmpItemNameOffset = 2048;

// Settings that belong to the pedal rather than to a preset, kept as the bytes they
// travel as.
struct GlobalSettings {
    std::array<std::uint8_t, kSystemSize> system{};
    std::array<std::uint8_t, kSystemExtraSize> systemExtra{};  // backed up with the system item
    std::array<std::uint8_t, kGlobalEqSize> globalEq{};        // three bands: freq lo, freq hi, gain + 1
    std::uint8_t fsMode = 0;
    std::uint8_t expMerge = 0;
    std::array<std::uint8_t, 2> focus{};  // the last page notice (command 130)
};

// The sound the pedal plays: the current preset as loaded and then edited.
struct LiveSound {
    std::array<ModuleBlock, kModuleCount> modules{};
    std::array<std::uint32_t, 18> chain{};  // positions (module + 1), then flags (0 on, 1 off)
    std::uint32_t volume = 0;
    std::array<std::uint32_t, 7> exp{};
    std::array<std::uint32_t, 11> ctrl{};  // element 0: the tempo in BPM, not part of a record
    PresetRecord base{};                   // the record the sound was loaded from

    ModuleBlock& module(Module m) { return modules[static_cast<int>(m)]; }
    const ModuleBlock& module(Module m) const { return modules[static_cast<int>(m)]; }
};

// Everything the pedal remembers across host connections.
struct PedalMemory {
    std::vector<PresetRecord> presets;  // kSlotCount records
    std::array<IrSlot, kUserSlots> irSlots{};
    std::array<AmpSlot, kUserSlots> ampSlots{};
    GlobalSettings settings;
    int currentPreset = 0;
    LiveSound live;
};

// Loads a record as the live sound. The tempo (CTRL element 0) and the two EXP volume
// limits are not part of a record; they are taken from `previous`.
LiveSound soundFromRecord(const PresetRecord& rec, const LiveSound& previous);

// Writes the interpreted fields of a live sound (modules, chain, volume, EXP, CTRL)
// into a record; every other byte of the record stays.
void storeSoundInRecord(const LiveSound& sound, PresetRecord& rec);

// The 150-byte name tables the pedal reports: IR names 10 bytes apart, amp names 15.
std::array<std::uint8_t, kNameTableSize> irNameTable(const PedalMemory& memory);
std::array<std::uint8_t, kNameTableSize> ampNameTable(const PedalMemory& memory);

}  // namespace quorvex::pedal
