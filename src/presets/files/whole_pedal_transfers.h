#pragma once
#include "backup_blocks.h"
#include "link_transfer.h"

#include <memory>

namespace quorvex {

// The backup's block requests in order; the answers go into the assembler.
std::unique_ptr<LinkTransfer> makeBackupTransfer(DeviceThread& link, BackupAssembler& assembler,
                                                 std::chrono::milliseconds pollInterval, QObject* parent = nullptr);
// The restore's block writes in file order, each acknowledged before the next.
std::unique_ptr<LinkTransfer> makeRestoreTransfer(DeviceThread& link, const std::vector<RestoreBlock>& blocks,
                                                  std::chrono::milliseconds pollInterval, QObject* parent = nullptr);

// The presets of slots 0..199 as the editor holds them, and those that never arrived.
std::vector<PresetRecord> backupPresets(DeviceThread& link);
std::vector<int> missingBackupPresets(DeviceThread& link);

// What to tell the user when a backup or a restore did not end well.
QString backupFailureText(LinkTransfer::End end, const LinkTransfer& transfer);
QString restoreFailureText(LinkTransfer::End end, const LinkTransfer& transfer);
// What a finished backup left out, to be told with it; empty when it holds everything.
QString backupGapsText(const BackupAssembler& assembler);

}  // namespace quorvex
