#include "cli_file_commands.h"

#include "cli_history_commands.h"
#include "cli_slot_commands.h"
#include "device_thread.h"
#include "preset_file_names.h"
#include "preset_import.h"
#include "progress_line.h"
#include "slot_spec.h"
#include "whole_pedal_transfers.h"
#include "yj_preset_file.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>

#include <memory>
#include <ostream>

namespace quorvex::cli {

LinkTransfer::End runTransfer(LinkTransfer& transfer, std::ostream& err, bool progressBar, const char* label) {
    QEventLoop loop;
    LinkTransfer::End end = LinkTransfer::End::Done;
    QObject::connect(&transfer, &LinkTransfer::stepAnswered, &loop, [&](int index) {
        if (progressBar) drawProgress(err, label, static_cast<float>(index + 1) / static_cast<float>(transfer.stepCount()));
    });
    QObject::connect(&transfer, &LinkTransfer::finished, &loop, [&](LinkTransfer::End e) {
        end = e;
        loop.quit();
    });
    transfer.start();
    loop.exec();
    if (progressBar) err << "\n";
    return end;
}

int exitCodeOf(LinkTransfer::End end) {
    switch (end) {
    case LinkTransfer::End::Done: return kOk;
    case LinkTransfer::End::Unplugged: return kUnplugged;
    default: return kNoAnswer;
    }
}

namespace {

using namespace std::chrono_literals;

// Presets that never arrived cannot be exported or backed up.
int refuseMissing(DeviceThread& link, const std::vector<int>& wanted, const QString& what, std::ostream& err) {
    const std::vector<int> missing = link.withLinkLock([&](ParameterBlocks&, CommandEncoder&) {
        std::vector<int> result;
        for (const int slot : wanted)
            if (!link.presets().arrived(slot)) result.push_back(slot);
        return result;
    });
    if (missing.empty()) return kOk;
    err << text(missingPresetsRefusal(missing, what)) << "\n";
    return kIncomplete;
}

PedalWork exportWork(const CliOptions& options, std::vector<int> chosen) {
    return [options, chosen](DeviceThread& link, std::ostream& out, std::ostream& err, bool) -> int {
        if (const int code = refuseMissing(link, chosen, QStringLiteral("Exporting"), err); code != kOk) return code;
        const QString target = QString::fromStdString(options.target);
        if (chosen.size() > 1 && !QDir().mkpath(target)) {
            err << "The folder " << options.target << " could not be created.\n";
            return kNotWritten;
        }
        std::vector<ExportFile> files;
        const bool fatNames = chosen.size() > 1 && takesFatNamesOnly(fileSystemOf(target));
        link.withLinkLock([&](ParameterBlocks&, CommandEncoder&) {
            for (const int slot : chosen) {
                const PresetStore& store = link.presets();
                QString path = target;
                if (chosen.size() > 1) {
                    const QString name = options.numbered ? numberedFileName(slot, store.name(slot))
                                                          : multiExportFileName(QString::fromStdString(store.displayText(slot)));
                    path = QDir(target).filePath(fatNames ? fatFileName(name) : name);
                }
                files.push_back({path, store.record(slot)});
            }
        });
        if (const QString failure = writeExportFiles(files); !failure.isEmpty()) {
            err << text(failure) << "\n";
            return kNotWritten;
        }
        for (const ExportFile& f : files) out << text(f.path) << "\n";
        return kOk;
    };
}

PedalWork importWork(std::vector<ImportFile> files) {
    return [files](DeviceThread& link, std::ostream& out, std::ostream& err, bool progressBar) -> int {
        std::vector<LinkStep> steps;
        for (const ImportFile& file : files) {
            const PresetRecord named = recordNamedFromFile(file.record, file.baseName);
            const std::vector<std::uint32_t> values(named.begin(), named.end());
            const QString what = QFileInfo(file.path).fileName();
            if (files.size() == 1) {
                steps.push_back(sentStep([&link, values] {
                    link.SendDataToDevoice(BlockType::RECORD_CURRENT, values.data(), static_cast<int>(values.size()));
                }, cmd::RecordCurrent, what));
            } else {
                const int slot = file.slot;
                steps.push_back(presetWriteStep([&link, values, slot] {
                    link.SendPresetsDataToDevice(BlockType::RECORD_WRITE, values.data(), static_cast<int>(values.size()), slot);
                }, what));
            }
        }
        LinkTransfer transfer(link, std::move(steps), nullptr, 2ms);
        const LinkTransfer::End end = runTransfer(transfer, err, progressBar && files.size() > 1, "Importing presets");
        if (end != LinkTransfer::End::Done) {
            err << (end == LinkTransfer::End::Unplugged ? "The pedal was disconnected while importing "
                                                        : "The pedal stopped answering while importing ")
                << text(transfer.step(transfer.currentStep()).what) << " (file " << transfer.currentStep() + 1 << " of "
                << transfer.stepCount() << "); the files before it were imported.\n";
            return exitCodeOf(end);
        }
        if (files.size() == 1) {
            out << "import PRESET successful!\n";
        } else {
            for (const ImportFile& f : files) out << slotLabel(f.slot) << " <- " << text(QFileInfo(f.path).fileName()) << "\n";
        }
        return kOk;
    };
}

PedalWork backupWork(const CliOptions& options) {
    return [options](DeviceThread& link, std::ostream& out, std::ostream& err, bool progressBar) -> int {
        if (const int code = refuseMissing(link, missingBackupPresets(link), QStringLiteral("A backup"), err); code != kOk)
            return code;
        BackupAssembler assembler;
        const auto transfer = makeBackupTransfer(link, assembler, 2ms);
        const LinkTransfer::End end = runTransfer(*transfer, err, progressBar, "Backing up");
        if (end != LinkTransfer::End::Done) {
            err << text(backupFailureText(end, *transfer)) << "\n";
            return exitCodeOf(end);
        }
        QString reason;
        if (!assembler.build(backupPresets(link)).exportBackupFileForPath(QString::fromStdString(options.target), &reason)) {
            err << "The backup could not be written to " << options.target << ": " << text(reason) << "\n";
            return kNotWritten;
        }
        out << "Backup written to " << options.target << "\n";
        if (const QString gaps = backupGapsText(assembler); !gaps.isEmpty()) err << text(gaps) << "\n";
        return kOk;
    };
}

PedalWork restoreWork(std::vector<RestoreBlock> blocks) {
    return [blocks](DeviceThread& link, std::ostream& out, std::ostream& err, bool progressBar) -> int {
        const auto transfer = makeRestoreTransfer(link, blocks, 2ms);
        const LinkTransfer::End end = runTransfer(*transfer, err, progressBar, "Restoring");
        if (end != LinkTransfer::End::Done) {
            err << text(restoreFailureText(end, *transfer)) << "\n";
            return exitCodeOf(end);
        }
        out << "Recall Success!\n";
        return kOk;
    };
}

}  // namespace

std::variant<PedalWork, int> prepareFileCommand(const CliOptions& options, std::ostream& err) {
    switch (options.command) {
    case Command::Export: {
        std::string error;
        const auto chosen = parseSlots(options.slotSpecs, error);
        if (!chosen) {
            err << "quorvex-cli: " << error << "\n";
            return kUsage;
        }
        if (options.numbered && std::any_of(chosen->begin(), chosen->end(), [](int s) { return s >= kBackupPresetCount; })) {
            err << "quorvex-cli: --numbered names only slots 001A to 067B (P1 to P200)\n";
            return kUsage;
        }
        return exportWork(options, *chosen);
    }
    case Command::Import: {
        QStringList paths;
        for (const auto& f : options.files) paths << QString::fromStdString(f);
        ImportPlan plan = readImportFiles(paths);
        if (!plan.error.isEmpty()) {
            err << text(plan.error) << "\n";
            return kBadInputFile;
        }
        return importWork(std::move(plan.files));
    }
    case Command::IrImport:
    case Command::IrDelete:
    case Command::AmpImport: return prepareSlotCommand(options, err);
    case Command::Backup: return backupWork(options);
    case Command::PutBack: return preparePutBack(options, err);
    case Command::Restore: {
        Tv_Backup file = Tv_Backup::forThisPedal();
        if (const auto check = file.readFile(QString::fromStdString(options.target)); check != Tv_Backup::Check::Valid) {
            err << "\"" << options.target << "\" cannot be restored: " << text(backupCheckText(check)) << ".\n";
            return kBadInputFile;
        }
        return restoreWork(restoreBlocks(file));
    }
    default: return kUsage;
    }
}

int runInspect(const std::string& path, std::ostream& out, std::ostream& err) {
    const QString qpath = QString::fromStdString(path);
    QFile file(qpath);
    if (!file.open(QIODevice::ReadOnly)) {
        err << path << ": not valid: the file could not be read\n";
        return kBadInputFile;
    }
    const QByteArray bytes = file.readAll();
    if (const auto code = inspectSlotFile(path, bytes, out, err)) return *code;
    if (bytes.startsWith("TAVRO")) {
        Tv_Backup backup = Tv_Backup::forThisPedal();
        const auto check = backup.readBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        if (check != Tv_Backup::Check::Valid) {
            err << path << ": not a valid backup: " << text(backupCheckText(check)) << "\n";
            return kBadInputFile;
        }
        out << path << ": QUORVEX III backup, " << backup.typeSum() << " section(s)\n";
        for (const QString& line : describeBackup(backup)) out << "  " << text(line) << "\n";
        return kOk;
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    if (const std::int32_t error = YJPresetFile::checkImage(data, static_cast<std::size_t>(bytes.size()));
        error != YJPresetFile::kNoError) {
        err << path << ": not a valid preset file: " << text(presetFileErrorText(error)) << "\n";
        return kBadInputFile;
    }
    // A name may hold any byte: shown safe for the terminal.
    out << path << ": QUORVEX III preset file, preset name \""
        << text(safeFileName(nameText(data + YJPresetFile::kDataStart + record::kName))) << "\"\n";
    return kOk;
}

}  // namespace quorvex::cli
