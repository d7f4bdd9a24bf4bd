#pragma once
#include "pedal_memory.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quorvex::pedal {

// Whole-pedal backup in 512-byte blocks, items and blocks counted from 1.
//   kind 1: user amp models, items 1..10 (slots 0..9), 2560 bytes in 5 blocks
//   kind 2: user IRs, items 1..10 (slots 0..9), 2048 bytes in 4 blocks
//   kind 3: the system settings, item 1, one block: 10 system bytes, then 5 more
//   kind 4: presets, items 1..200 (slots 0..199), one block each
inline constexpr std::size_t kBackupBlockSize = 512;
inline constexpr std::uint8_t kNoData = 255;  // block number of an answer without data

enum class BackupKind : std::uint8_t { AmpModels = 1, UserIrs = 2, System = 3, Presets = 4 };
inline constexpr int kBackupPresetItems = 200;

// The block's 512 bytes, or nullopt when the item holds no data (an empty user slot)
// or the numbers name nothing.
std::optional<std::vector<std::uint8_t>> readBackupBlock(const PedalMemory& memory, std::uint8_t kind,
                                                         std::uint8_t item, std::uint8_t block);

// Stores a block a restore sends. A user slot counts as filled once its last block has
// arrived (an IR slot then also takes its name from the item); a preset is written
// with its single block; the system block restores the system bytes. Returns false
// when the numbers name nothing (the block is not stored).
bool writeBackupBlock(PedalMemory& memory, std::uint8_t kind, std::uint8_t item, std::uint8_t block,
                      std::span<const std::uint8_t> data);

}  // namespace quorvex::pedal
