#pragma once
#include "preset_record.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace quorvex {

// One preset a write replaced: the record the slot held, kept as a preset file, and
// what replaced it.
struct HistoryEntry {
    int id = 0;
    QDateTime time;
    int slot = 0;
    QString oldName;
    QString newName;
    QString writer;  // "save", "import", "restore", "put back", "pedal"
    QString presetPath;
};

// The history of replaced presets in a folder, by default the user's data folder
// (quorvex/history under $XDG_DATA_HOME, ~/.local/share without it). Each entry is a
// preset file named with its number, time, slot and old name, and a note beside it
// (.txt) of what replaced it. The newest kLimit entries stay.
class PresetHistory {
public:
    static constexpr int kLimit = 2000;

    explicit PresetHistory(QString folder = defaultFolder());
    static QString defaultFolder();

    // Keeps the record a write replaced. False (with the reason) when it could not be
    // written.
    bool keep(int slot, const PresetRecord& old, const PresetRecord& replacement, const QString& writer,
              QString* reason = nullptr);
    // Newest first.
    std::vector<HistoryEntry> entries() const;
    std::optional<HistoryEntry> entry(int id) const;
    std::optional<PresetRecord> record(const HistoryEntry& entry) const;

private:
    void trim() const;

    QString folder_;
};

}  // namespace quorvex

namespace quorvex {

class DeviceThread;

// From now on every record the pedal's confirmations replace in the link's copy of the
// presets goes into the history in `folder`, written on a thread of its own.
void keepReplacedPresets(DeviceThread& link, const QString& folder = PresetHistory::defaultFolder());

}  // namespace quorvex
