#include "backup_items.h"

#include <algorithm>

namespace quorvex::pedal {
namespace {

constexpr std::size_t blocksOf(std::size_t bytes) { return (bytes + kBackupBlockSize - 1) / kBackupBlockSize; }

std::vector<std::uint8_t> blockOf(std::span<const std::uint8_t> item, std::uint8_t block) {
    std::vector<std::uint8_t> out(kBackupBlockSize, 0);
    const std::size_t from = (block - 1u) * kBackupBlockSize;
    const std::size_t n = std::min(kBackupBlockSize, item.size() - from);
    std::copy_n(item.begin() + static_cast<std::ptrdiff_t>(from), n, out.begin());
    return out;
}

void putBlock(std::span<std::uint8_t> item, std::uint8_t block, std::span<const std::uint8_t> data) {
    const std::size_t from = (block - 1u) * kBackupBlockSize;
    const std::size_t n = std::min({kBackupBlockSize, item.size() - from, data.size()});
    std::copy_n(data.begin(), n, item.begin() + static_cast<std::ptrdiff_t>(from));
}

bool userSlot(std::uint8_t item) { return item >= 1 && item <= kUserSlots; }

}  // namespace

std::optional<std::vector<std::uint8_t>> readBackupBlock(const PedalMemory& memory, std::uint8_t kind,
                                                         std::uint8_t item, std::uint8_t block) {
    if (block < 1) return std::nullopt;
    switch (static_cast<BackupKind>(kind)) {
    case BackupKind::AmpModels: {
        if (!userSlot(item) || block > blocksOf(kAmpItemSize)) return std::nullopt;
        const AmpSlot& slot = memory.ampSlots[item - 1u];
        if (!slot.present) return std::nullopt;
        return blockOf(slot.data, block);
    }
    case BackupKind::UserIrs: {
        if (!userSlot(item) || block > blocksOf(kIrItemSize)) return std::nullopt;
        const IrSlot& slot = memory.irSlots[item - 1u];
        if (!slot.present) return std::nullopt;
        return blockOf(slot.data, block);
    }
    case BackupKind::System: {
        if (item != 1 || block != 1) return std::nullopt;
        std::vector<std::uint8_t> out(kBackupBlockSize, 0);
        const auto& s = memory.settings;
        std::copy(s.system.begin(), s.system.end(), out.begin());
        std::copy(s.systemExtra.begin(), s.systemExtra.end(), out.begin() + kSystemSize);
        return out;
    }
    case BackupKind::Presets: {
        if (item < 1 || item > kBackupPresetItems || block != 1) return std::nullopt;
        const PresetRecord& rec = memory.presets[item - 1u];
        return std::vector<std::uint8_t>(rec.begin(), rec.end());
    }
    }
    return std::nullopt;
}

bool writeBackupBlock(PedalMemory& memory, std::uint8_t kind, std::uint8_t item, std::uint8_t block,
                      std::span<const std::uint8_t> data) {
    if (block < 1) return false;
    switch (static_cast<BackupKind>(kind)) {
    case BackupKind::AmpModels: {
        constexpr std::size_t kLast = blocksOf(kAmpItemSize);
        if (!userSlot(item) || block > kLast) return false;
        AmpSlot& slot = memory.ampSlots[item - 1u];
        putBlock(slot.data, block, data);
        if (block == kLast) slot.present = true;
        return true;
    }
    case BackupKind::UserIrs: {
        constexpr std::size_t kLast = blocksOf(kIrItemSize);
        if (!userSlot(item) || block > kLast) return false;
        IrSlot& slot = memory.irSlots[item - 1u];
        putBlock(slot.data, block, data);
        if (block == kLast) {
            slot.present = true;
            std::copy_n(slot.data.begin() + kIrItemNameOffset, kIrNameSize, slot.name.begin());
        }
        return true;
    }
    case BackupKind::System: {
        if (item != 1 || block != 1) return false;
        auto& s = memory.settings;
        std::vector<std::uint8_t> bytes(kSystemSize + kSystemExtraSize, 0);
        std::copy_n(data.begin(), std::min(data.size(), bytes.size()), bytes.begin());
        std::copy_n(bytes.begin(), kSystemSize, s.system.begin());
        std::copy_n(bytes.begin() + kSystemSize, kSystemExtraSize, s.systemExtra.begin());
        return true;
    }
    case BackupKind::Presets: {
        if (item < 1 || item > kBackupPresetItems || block != 1) return false;
        PresetRecord& rec = memory.presets[item - 1u];
        rec.fill(0);
        std::copy_n(data.begin(), std::min(data.size(), rec.size()), rec.begin());
        return true;
    }
    }
    return false;
}

}  // namespace quorvex::pedal
