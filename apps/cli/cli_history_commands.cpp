#include "cli_history_commands.h"

#include "device_thread.h"
#include "preset_history.h"

#include <ostream>

namespace quorvex::cli {

using namespace std::chrono_literals;

int runHistory(std::ostream& out) {
    for (const HistoryEntry& e : PresetHistory().entries()) {
        out << e.id << '\t' << e.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString() << '\t'
            << slotLabel(e.slot) << '\t' << e.oldName.toStdString() << '\t' << e.newName.toStdString() << '\t'
            << e.writer.toStdString() << "\n";
    }
    return kOk;
}

std::variant<PedalWork, int> preparePutBack(const CliOptions& options, std::ostream& err) {
    const PresetHistory history;
    const auto entry = history.entry(options.historyId);
    if (!entry) {
        err << "The history has no entry " << options.historyId << ".\n";
        return kUsage;
    }
    const auto record = history.record(*entry);
    if (!record) {
        err << entry->presetPath.toStdString() << ": cannot be loaded.\n";
        return kBadInputFile;
    }
    // Command 229 names its slot in one byte.
    if (entry->slot > 255) {
        err << "Slot " << slotLabel(entry->slot) << " cannot be written by a preset write.\n";
        return kNotWritten;
    }
    const int slot = entry->slot;
    const std::vector<std::uint32_t> values(record->begin(), record->end());
    return PedalWork([slot, values](DeviceThread& link, std::ostream& out, std::ostream& failures, bool) -> int {
        link.withLinkLock([&link, slot](ParameterBlocks&, CommandEncoder&) { link.presets().expectWriter(slot, "put back"); });
        std::vector<LinkStep> steps;
        steps.push_back(presetWriteStep([&link, values, slot] {
            link.SendPresetsDataToDevice(BlockType::RECORD_WRITE, values.data(), static_cast<int>(values.size()), slot);
        }, QString::fromStdString(slotLabel(slot))));
        LinkTransfer transfer(link, std::move(steps), nullptr, 2ms);
        const LinkTransfer::End end = runTransfer(transfer, failures, false, "Putting back");
        if (end != LinkTransfer::End::Done) {
            failures << "The pedal did not confirm " << slotLabel(slot) << "; it may still hold what it held.\n";
            return exitCodeOf(end);
        }
        const PresetRecord stored = link.withLinkLock([&link, slot](ParameterBlocks&, CommandEncoder&) { return link.presets().record(slot); });
        out << slotLabel(slot) << " <- " << recordName(stored) << "\n";
        return kOk;
    });
}

}  // namespace quorvex::cli
