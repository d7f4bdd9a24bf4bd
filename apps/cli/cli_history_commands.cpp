#include "cli_history_commands.h"

#include "cli_library_commands.h"
#include "device_thread.h"
#include "preset_history.h"

#include <ostream>

namespace quorvex::cli {

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
    const int slot = entry->slot;
    return PedalWork([slot, record = *record](DeviceThread& link, std::ostream& out, std::ostream& failures, bool) {
        link.withLinkLock([&link, slot](ParameterBlocks&, CommandEncoder&) { link.presets().expectWriter(slot, "put back"); });
        return writeSlots(link, {{slot, record}}, "Putting back", out, failures, false);
    });
}

}  // namespace quorvex::cli
