#include "cli_library_commands.h"

#include "device_thread.h"
#include "module_table.h"
#include "preset_description.h"
#include "slot_spec.h"
#include "slot_writes.h"
#include "yj_preset_file.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <ostream>

namespace quorvex::cli {
namespace {

using namespace std::chrono_literals;

// A preset named on the command line: a slot of the pedal, or a file read already.
struct PresetOperand {
    std::optional<int> slot;
    PresetRecord record{};
};

std::optional<int> singleSlot(const std::string& spec) {
    std::string error;
    const auto parsed = parseSlots({spec}, error);
    if (!parsed || parsed->size() != 1 || spec.find('-') != std::string::npos) return std::nullopt;
    return parsed->front();
}

// A file that exists is a file, else the operand must be a slot. nullopt and the exit
// code in `code` when it is neither.
std::optional<PresetOperand> readOperand(const std::string& spec, std::ostream& err, int& code) {
    const QString path = QString::fromStdString(spec);
    if (QFileInfo(path).isFile()) {
        YJPresetFile file;
        std::int32_t error = YJPresetFile::kNoError;
        PresetOperand operand;
        if (!file.ReadFileToPresetPath(path, error) || !file.ReadPresetBufferPresetData(operand.record.data(), kRecordSize)) {
            err << spec << ": not a valid preset file: " << text(presetFileErrorText(error)) << "\n";
            code = kBadInputFile;
            return std::nullopt;
        }
        return operand;
    }
    if (const auto slot = singleSlot(spec)) return PresetOperand{slot, {}};
    err << "quorvex-cli: \"" << spec << "\" is neither a preset file nor a slot such as 002B\n";
    code = kUsage;
    return std::nullopt;
}

std::optional<std::vector<PresetOperand>> readOperands(const CliOptions& options, std::ostream& err, int& code) {
    std::vector<PresetOperand> operands;
    for (const std::string& spec : options.operands) {
        auto operand = readOperand(spec, err, code);
        if (!operand) return std::nullopt;
        operands.push_back(*operand);
    }
    return operands;
}

// With a pedal, its user amp and cabinet slots are named as it reports them.
int showOrDiff(const CliOptions& options, const std::vector<PresetOperand>& operands, std::ostream& out,
               const UserSlotNames& names = {}) {
    if (options.command == Command::Show) {
        const PresetDescription preset = describePreset(operands[0].record, names);
        if (options.json) {
            out << QJsonDocument(describedJson(preset, operands[0].slot)).toJson(QJsonDocument::Indented).toStdString();
        } else {
            for (const QString& line : describedLines(preset)) out << text(line) << "\n";
        }
        return kOk;
    }
    const QStringList differences =
        presetDifferences(describePreset(operands[0].record, names), describePreset(operands[1].record, names));
    for (const QString& line : differences) out << text(line) << "\n";
    return differences.isEmpty() ? kOk : 1;
}

UserSlotNames reportedSlotNames(DeviceThread& link) {
    return link.withLinkLock([](ParameterBlocks& blocks, CommandEncoder&) {
        const auto names = [](const auto& report, int size) {
            return slotNamesFromReport(std::vector<std::uint32_t>(report.begin(), report.end()), size);
        };
        return UserSlotNames{names(blocks.AMP_NAME_Block, kAmpNameBytes), names(blocks.IR_NAME_Block, kCabNameBytes)};
    });
}

// The slots' records from the pedal's presets; exit 7 when one never arrived.
int takeSlotRecords(DeviceThread& link, std::vector<PresetOperand>& operands, std::ostream& err) {
    std::vector<int> missing;
    link.withLinkLock([&](ParameterBlocks&, CommandEncoder&) {
        for (PresetOperand& operand : operands) {
            if (!operand.slot) continue;
            if (!link.presets().arrived(*operand.slot)) missing.push_back(*operand.slot);
            operand.record = link.presets().record(*operand.slot);
        }
    });
    if (missing.empty()) return kOk;
    err << missingPresetsText(missing) << "\n";
    return kIncomplete;
}

int printPresetsJson(DeviceThread& link, std::ostream& out, std::ostream& err) {
    QJsonArray list;
    std::vector<int> missing;
    link.withLinkLock([&](ParameterBlocks&, CommandEncoder&) {
        for (int slot = 0; slot < kSlotCount; ++slot)
            list.append(QJsonObject{{"slot", QString::fromStdString(slotLabel(slot))},
                                    {"index", slot},
                                    {"name", QString::fromLatin1(link.presets().name(slot))}});
        missing = link.presets().missingSlots();
    });
    out << QJsonDocument(list).toJson(QJsonDocument::Indented).toStdString();
    if (missing.empty()) return kOk;
    err << missingPresetsText(missing) << "\n";
    return kIncomplete;
}

int copyOrMove(DeviceThread& link, int from, int to, bool move, std::ostream& out, std::ostream& err, bool progressBar) {
    std::vector<SlotWrite> writes;
    std::vector<int> missing;
    link.withLinkLock([&](ParameterBlocks&, CommandEncoder&) {
        missing = missingSlotsOf(link.presets(), from, to, move);
        writes = move ? moveWrites(link.presets(), from, to) : copyWrites(link.presets(), from, to);
    });
    if (!missing.empty()) {
        err << missingPresetsText(missing) << "\n";
        return kIncomplete;
    }
    if (writes.empty()) {
        out << "Nothing to write: the slots hold these presets already.\n";
        return kOk;
    }
    return writeSlots(link, std::move(writes), move ? "Moving presets" : "Copying", out, err, progressBar);
}

}  // namespace

int writeSlots(DeviceThread& link, std::vector<SlotWrite> writes, const char* label, std::ostream& out,
               std::ostream& err, bool progressBar) {
    SlotWrites run(link, std::move(writes), 2ms);
    QObject::connect(&run, &SlotWrites::slotWritten, [&run, &out](int slot) {
        for (const SlotWrite& write : run.writes())
            if (write.slot == slot) out << slotLabel(slot) << " <- " << recordName(write.record) << "\n";
    });
    const LinkTransfer::End end = runTransfer(run.transfer(), err, progressBar && run.writes().size() > 1, label);
    if (end != LinkTransfer::End::Done) {
        LinkTransfer& transfer = run.transfer();
        err << (end == LinkTransfer::End::Unplugged ? "The pedal was disconnected while writing "
                                                    : "The pedal did not confirm ")
            << text(transfer.step(transfer.currentStep()).what) << "; the slots listed above hold their new presets.\n";
        return exitCodeOf(end);
    }
    return kOk;
}

std::optional<int> runLibraryCommandWithoutPedal(const CliOptions& options, std::ostream& out, std::ostream& err) {
    if (options.command != Command::Show && options.command != Command::Diff) return std::nullopt;
    int code = kOk;
    const auto operands = readOperands(options, err, code);
    if (!operands) return code;
    for (const PresetOperand& operand : *operands)
        if (operand.slot) return std::nullopt;
    return showOrDiff(options, *operands, out);
}

std::variant<PedalWork, int> prepareLibraryCommand(const CliOptions& options, std::ostream& err) {
    if (options.command == Command::Presets)
        return PedalWork([](DeviceThread& link, std::ostream& out, std::ostream& errors, bool) {
            return printPresetsJson(link, out, errors);
        });
    int code = kOk;
    const auto operands = readOperands(options, err, code);
    if (!operands) return code;
    if (options.command == Command::Copy || options.command == Command::Move) {
        if (!(*operands)[0].slot || !(*operands)[1].slot) {
            err << "quorvex-cli: " << (options.command == Command::Copy ? "copy" : "move")
                << " takes two slots such as 002B 100C\n";
            return kUsage;
        }
        const int from = *(*operands)[0].slot;
        const int to = *(*operands)[1].slot;
        const bool move = options.command == Command::Move;
        return PedalWork([from, to, move](DeviceThread& link, std::ostream& out, std::ostream& errors, bool bar) {
            return copyOrMove(link, from, to, move, out, errors, bar);
        });
    }
    return PedalWork([options, operands = *operands](DeviceThread& link, std::ostream& out, std::ostream& errors, bool) mutable {
        if (const int taken = takeSlotRecords(link, operands, errors); taken != kOk) return taken;
        return showOrDiff(options, operands, out, reportedSlotNames(link));
    });
}

}  // namespace quorvex::cli
