#pragma once
#include "parameter_blocks.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorvex {

// One stored preset, 512 bytes. Multi-byte fields are little-endian. Bytes this
// program does not interpret are carried unchanged.
inline constexpr std::size_t kRecordSize = 512;
inline constexpr int kSlotCount = 300;
inline constexpr std::size_t kNameSize = 16;
using PresetRecord = std::array<std::uint8_t, kRecordSize>;

namespace record {
inline constexpr std::size_t kChain = 0;         // 9 chain positions (module number + 1)
inline constexpr std::size_t kPresetVolume = 10;
inline constexpr std::size_t kExpVolume = 11;
inline constexpr std::size_t kName = 12;          // 16 bytes
inline constexpr std::size_t kChainFlags = 104;   // 9 module flags
inline constexpr std::size_t kExpVolumeView = 114;
inline constexpr std::size_t kCtrl = 116;         // CTRL elements 1..10
inline constexpr std::size_t kMergeA = 126;
inline constexpr std::size_t kMergeB = 127;
inline constexpr std::size_t kExpModes = 356;     // EXP elements 1..4
}  // namespace record

// Module values in block order (on/off, model, parameters), kModuleEventValues[m] of them.
std::vector<std::uint32_t> moduleValuesFromRecord(const PresetRecord& rec, Module m);
// Writes block-ordered values (at least kModuleElements[m]) into the record's fields.
void storeModuleValuesInRecord(PresetRecord& rec, Module m, std::span<const std::uint32_t> values);

// Chain positions then module flags, 18 values.
std::array<std::uint32_t, 18> chainFromRecord(const PresetRecord& rec);
void storeChainInRecord(PresetRecord& rec, std::span<const std::uint32_t, 18> chain);

// EXP_Block values; the two volume limits the record does not hold are 200.
std::array<std::uint32_t, 7> expFromRecord(const PresetRecord& rec);
void storeExpInRecord(PresetRecord& rec, std::span<const std::uint32_t, 7> exp);

// CTRL_Block elements 1..10 (element 0, the tempo, is not part of a record).
std::array<std::uint32_t, 11> ctrlFromRecord(const PresetRecord& rec);
void storeCtrlInRecord(PresetRecord& rec, std::span<const std::uint32_t, 11> ctrl);

// The name field read as text: up to the first zero byte, at most 16 bytes.
std::string nameText(const std::uint8_t* name16);
std::string recordName(const PresetRecord& rec);

// Slot helpers: bank = slot / 3 + 1, letters A, B, C; "%03dA:%s".
std::string slotLabel(int slot);  // "002B"
std::string presetDisplayText(int slot, const std::string& name);
inline std::uint8_t slotLow(int slot) { return static_cast<std::uint8_t>(slot % 256); }
inline std::uint8_t slotHigh(int slot) { return static_cast<std::uint8_t>(slot / 256); }

}  // namespace quorvex
