#include "backup_blocks.h"

#include <QStringList>

#include <algorithm>

namespace quorvex {
namespace {

struct KindInfo {
    const char* section;
    const char* what;      // how the user knows the item
    std::uint32_t length;  // bytes of one item in the file
    std::uint8_t blocks;
};

constexpr std::uint16_t kBlockSendCommand = 226;
constexpr std::size_t kSystemBytes = 15;    // written for the SYSTEM item ...
constexpr std::uint32_t kSystemDeclared = 10;  // ... under this declared length

KindInfo kindInfo(std::uint8_t kind) {
    switch (kind) {
    case 1: return {"XB420_NR", "user amp", 2560, 5};
    case 2: return {"XB420_IR", "user IR", 2048, 4};
    case 3: return {"XB420_SYSTEM", "system settings", kSystemDeclared, 1};
    case 4: return {"XB420_PRESET", "preset", static_cast<std::uint32_t>(kRecordSize), 1};
    default: return {"", "item", 0, 0};
    }
}

}  // namespace

std::vector<BackupBlock> backupRequests() {
    std::vector<BackupBlock> requests;
    for (std::uint8_t kind = 1; kind <= 2; ++kind) {
        for (std::uint8_t item = 1; item <= 10; ++item) {
            for (std::uint8_t block = 1; block <= kindInfo(kind).blocks; ++block) requests.push_back({kind, item, block});
        }
    }
    requests.push_back({3, 1, 1});
    return requests;
}

BackupAssembler::BackupAssembler() {
    for (std::uint8_t kind = 1; kind <= 2; ++kind) {
        for (auto& item : user_[kind - 1].items) item.assign(kindInfo(kind).length, 0);
    }
}

void BackupAssembler::take(const BackupBlock& request, std::uint8_t answeredBlock, const std::uint8_t* data) {
    const bool hasData = answeredBlock != kNoBlockData;
    if (request.kind == 3) {
        if (hasData) std::copy_n(data, kSystemBytes, system_.emplace().begin());
        return;
    }
    if (request.kind < 1 || request.kind > 2 || request.item < 1 || request.item > 10 || request.block < 1) return;
    Kind& kind = user_[request.kind - 1];
    const std::size_t item = request.item - 1u;
    const KindInfo info = kindInfo(request.kind);
    if (request.block > info.blocks) return;
    if (hasData) std::copy_n(data, kBackupBlockSize, kind.items[item].begin() + (request.block - 1) * kBackupBlockSize);
    // Whether the item is there is told by its last block.
    if (request.block == info.blocks) kind.present.set(item, hasData);
}

Tv_Backup BackupAssembler::build(const std::vector<PresetRecord>& presets) const {
    Tv_Backup file = Tv_Backup::forThisPedal();
    for (std::uint8_t kindNo = 1; kindNo <= 2; ++kindNo) {
        const Kind& kind = user_[kindNo - 1];
        if (kind.present.none()) continue;
        const KindInfo info = kindInfo(kindNo);
        file.setDataHeadForDataName(info.section, kindNo, info.length, static_cast<std::uint32_t>(kind.present.count()),
                                    kBlockSendCommand, 1, kBlockSendCommand, 1);
        for (std::size_t i = 0; i < kind.items.size(); ++i) {
            if (kind.present.test(i))
                file.addData(kind.items[i].data(), kind.items[i].size(), static_cast<std::int16_t>(i + 1));
        }
    }
    if (system_) {
        file.setDataHeadForDataName(kindInfo(3).section, 3, kSystemDeclared, 1, kBlockSendCommand, 1, kBlockSendCommand, 1);
        file.addData(system_->data(), kSystemBytes, 1);
    }
    file.setDataHeadForDataName(kindInfo(4).section, 4, kRecordSize, static_cast<std::uint32_t>(presets.size()),
                                kBlockSendCommand, 1, kBlockSendCommand, 1);
    for (std::size_t slot = 0; slot < presets.size(); ++slot)
        file.addData(presets[slot].data(), kRecordSize, static_cast<std::int16_t>(slot + 1));
    return file;
}

std::vector<RestoreBlock> restoreBlocks(Tv_Backup& file) {
    std::vector<RestoreBlock> blocks;
    for (std::uint32_t section = 0; file.getSubHeadData(section); ++section) {
        const Tv_Backup::SubHead head = file.subHeadData();
        // An item shorter than a block still takes one.
        const std::uint32_t count = std::max<std::uint32_t>(1, (head.dataLength + 511) / 512);
        for (std::uint32_t item = 0; file.getData(section, item); ++item) {
            const auto& data = file.typeData().data;
            for (std::uint32_t b = 0; b < count; ++b) {
                RestoreBlock block;
                block.at = {head.dataType, static_cast<std::uint8_t>(file.typeData().index & 0xFF),
                            static_cast<std::uint8_t>(b + 1)};
                const std::size_t from = std::size_t{b} * kBackupBlockSize;
                if (from < data.size())
                    std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(from),
                                std::min(kBackupBlockSize, data.size() - from), block.data.begin());
                blocks.push_back(block);
            }
        }
    }
    return blocks;
}

QString blockDescription(const BackupBlock& block) {
    const KindInfo info = kindInfo(block.kind);
    // Preset items count from 1; a file may still number one 0, which names no slot.
    if (block.kind == 4 && block.item == 0) return QStringLiteral("preset item 0");
    if (block.kind == 4) return QStringLiteral("preset %1").arg(QString::fromStdString(slotLabel(block.item - 1)));
    if (block.kind == 3) return QString::fromLatin1(info.what);
    return QStringLiteral("%1 %2, block %3").arg(QString::fromLatin1(info.what)).arg(block.item).arg(block.block);
}

QStringList describeBackup(Tv_Backup& file) {
    QStringList lines;
    for (std::uint32_t section = 0; file.getSubHeadData(section); ++section) {
        const Tv_Backup::SubHead head = file.subHeadData();
        QStringList numbers;
        for (std::uint32_t item = 0; file.getData(section, item); ++item) numbers << QString::number(file.typeData().index);
        lines << QStringLiteral("%1 (type %2): %3 item(s) of %4 bytes: %5")
                     .arg(QString::fromStdString(head.dataName))
                     .arg(head.dataType)
                     .arg(head.dataNumber)
                     .arg(head.dataLength)
                     .arg(numbers.size() > 20 ? numbers.first() + ".." + numbers.last() : numbers.join(' '));
    }
    return lines;
}

}  // namespace quorvex
