#pragma once
#include "preset_record.h"
#include "tv_backup.h"

#include <QString>

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorvex {

// One 512-byte block of a backup item, as commands 170 and 171 name it; items and
// blocks count from 1.
struct BackupBlock {
    std::uint8_t kind = 0;
    std::uint8_t item = 0;
    std::uint8_t block = 0;
};
inline constexpr std::size_t kBackupBlockSize = 512;
inline constexpr std::uint8_t kNoBlockData = 255;  // the answer's block number for an empty item
inline constexpr int kBackupPresetCount = 200;     // slots 0..199 are backed up

// The requests of a backup in order: user amp models (kind 1, items 1..10, blocks
// 1..5), user IRs (kind 2, blocks 1..4), the system item (kind 3, item 1, block 1).
std::vector<BackupBlock> backupRequests();

// Collects the pedal's answers and builds the backup file from them and the presets.
class BackupAssembler {
public:
    BackupAssembler();
    // The answer to a request: answeredBlock 255 means the item holds no data.
    void take(const BackupBlock& request, std::uint8_t answeredBlock, const std::uint8_t* data);
    // The sections NR and IR (only when an item is present), SYSTEM (only when the
    // pedal sent it: zeros restored would become its settings), PRESET.
    Tv_Backup build(const std::vector<PresetRecord>& presets) const;
    bool hasSystem() const { return system_.has_value(); }

private:
    struct Kind {
        std::array<std::vector<std::uint8_t>, 10> items;
        std::bitset<10> present;
    };
    std::array<Kind, 2> user_;  // kinds 1 and 2
    std::optional<std::array<std::uint8_t, 15>> system_;
};

// The blocks a restore sends, in file order, each with the bytes it carries.
struct RestoreBlock {
    BackupBlock at;
    std::array<std::uint8_t, kBackupBlockSize> data{};
};
std::vector<RestoreBlock> restoreBlocks(Tv_Backup& file);

// "user IR 3, block 2" and the like, for progress and failure messages.
QString blockDescription(const BackupBlock& block);

// What a valid backup holds, one line per section: name, items and their numbers, size.
QStringList describeBackup(Tv_Backup& file);

}  // namespace quorvex
