#include "whole_pedal_transfers.h"

namespace quorvex {

std::unique_ptr<LinkTransfer> makeBackupTransfer(DeviceThread& link, BackupAssembler& assembler,
                                                 std::chrono::milliseconds pollInterval, QObject* parent) {
    std::vector<LinkStep> steps;
    for (const BackupBlock& request : backupRequests()) {
        auto take = [&assembler, request](std::uint8_t answeredBlock, const std::uint8_t* data) {
            assembler.take(request, answeredBlock, data);
        };
        steps.push_back(backupReadStep(link, request.kind, request.item, request.block, take, blockDescription(request)));
    }
    return std::make_unique<LinkTransfer>(link, std::move(steps), parent, pollInterval);
}

std::unique_ptr<LinkTransfer> makeRestoreTransfer(DeviceThread& link, const std::vector<RestoreBlock>& blocks,
                                                  std::chrono::milliseconds pollInterval, QObject* parent) {
    std::vector<LinkStep> steps;
    steps.reserve(blocks.size());
    for (const RestoreBlock& b : blocks)
        steps.push_back(backupWriteStep(link, b.at.kind, b.at.item, b.at.block, b.data, blockDescription(b.at)));
    return std::make_unique<LinkTransfer>(link, std::move(steps), parent, pollInterval);
}

std::vector<PresetRecord> backupPresets(DeviceThread& link) {
    return link.withLinkLock([&link](ParameterBlocks&, CommandEncoder&) {
        std::vector<PresetRecord> records;
        for (int slot = 0; slot < kBackupPresetCount; ++slot) records.push_back(link.presets().record(slot));
        return records;
    });
}

std::vector<int> missingBackupPresets(DeviceThread& link) {
    return link.withLinkLock([&link](ParameterBlocks&, CommandEncoder&) {
        std::vector<int> missing;
        for (int slot = 0; slot < kBackupPresetCount; ++slot)
            if (!link.presets().arrived(slot)) missing.push_back(slot);
        return missing;
    });
}

namespace {

QString where(const LinkTransfer& transfer) {
    return QStringLiteral("%1 (step %2 of %3)")
        .arg(transfer.step(transfer.currentStep()).what)
        .arg(transfer.currentStep() + 1)
        .arg(transfer.stepCount());
}

}  // namespace

QString backupFailureText(LinkTransfer::End end, const LinkTransfer& transfer) {
    switch (end) {
    case LinkTransfer::End::Done: return {};
    case LinkTransfer::End::Cancelled: return QStringLiteral("The backup was cancelled. No file was written.");
    case LinkTransfer::End::Unplugged:
        return QStringLiteral("The pedal was disconnected during the backup, at %1. No file was written.").arg(where(transfer));
    case LinkTransfer::End::NoAnswer:
        return QStringLiteral("The pedal stopped answering during the backup, at %1. No file was written.")
            .arg(where(transfer));
    }
    return {};
}

QString backupGapsText(const BackupAssembler& assembler) {
    if (assembler.hasSystem()) return {};
    return QStringLiteral("The pedal sent no system settings, so the backup holds none; a restore of it leaves "
                          "the pedal's system settings as they are.");
}

QString restoreFailureText(LinkTransfer::End end, const LinkTransfer& transfer) {
    const QString partial = QStringLiteral(" The pedal now holds a partial restore: run the restore again.");
    switch (end) {
    case LinkTransfer::End::Done: return {};
    case LinkTransfer::End::Cancelled:
        return QStringLiteral("The restore was cancelled after %1 of %2 blocks.").arg(transfer.currentStep()).arg(transfer.stepCount()) +
               partial;
    case LinkTransfer::End::Unplugged:
        return QStringLiteral("The pedal was disconnected during the restore, at %1.").arg(where(transfer)) + partial;
    case LinkTransfer::End::NoAnswer:
        return QStringLiteral("The pedal did not confirm %1 of the restore.").arg(where(transfer)) + partial;
    }
    return {};
}

}  // namespace quorvex
