#include "preset_history.h"

#include "device_thread.h"
#include "preset_file_names.h"
#include "yj_preset_file.h"

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace quorvex {
namespace {

const QString kNoteSuffix = QStringLiteral(".txt");
const QString kPresetSuffix = QStringLiteral(".kiro");
const QString kTimeFormat = QStringLiteral("yyyyMMdd-HHmmss");

// "000123_20261207-131502_002B_CLEAN": a name FAT file systems take, whose number
// sorts the entries by age.
QString stemOf(int id, const QDateTime& time, int slot, const QString& name) {
    QString safeName = fatFileName(name).replace(QLatin1Char(' '), QLatin1Char('_'));
    if (safeName.isEmpty()) safeName = QStringLiteral("unnamed");
    return QStringLiteral("%1_%2_%3_%4")
        .arg(id, 6, 10, QLatin1Char('0'))
        .arg(time.toString(kTimeFormat), QString::fromStdString(slotLabel(slot)), safeName);
}

QStringList notesIn(const QDir& dir) {
    return dir.entryList({QStringLiteral("*") + kNoteSuffix}, QDir::Files, QDir::Name);
}

int idOf(const QString& fileName) { return fileName.section(QLatin1Char('_'), 0, 0).toInt(); }

}  // namespace

PresetHistory::PresetHistory(QString folder) : folder_(std::move(folder)) {}

QString PresetHistory::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/quorvex/history");
}

bool PresetHistory::keep(int slot, const PresetRecord& old, const PresetRecord& replacement, const QString& writer,
                         QString* reason) {
    QDir dir(folder_);
    if (!dir.mkpath(QStringLiteral("."))) {
        if (reason) *reason = QStringLiteral("The folder %1 could not be created.").arg(folder_);
        return false;
    }
    const QStringList notes = notesIn(dir);
    const int id = notes.isEmpty() ? 1 : idOf(notes.last()) + 1;
    const QDateTime now = QDateTime::currentDateTime();
    const QString oldName = QString::fromStdString(recordName(old));
    const QString stem = stemOf(id, now, slot, oldName);
    std::int32_t error = 0;
    if (!YJPresetInOut::ExportPresetFilePath(dir.filePath(stem + kPresetSuffix), old.data(), old.size(), &error, reason))
        return false;
    // The note last: an entry without one is not listed.
    QSaveFile note(dir.filePath(stem + kNoteSuffix));
    const QString text = QStringLiteral("time=%1\nslot=%2\nold=%3\nnew=%4\nwriter=%5\n")
                             .arg(now.toString(Qt::ISODate))
                             .arg(slot)
                             .arg(oldName, QString::fromStdString(recordName(replacement)), writer);
    if (!note.open(QIODevice::WriteOnly) || note.write(text.toUtf8()) < 0 || !note.commit()) {
        if (reason) *reason = note.errorString();
        return false;
    }
    trim();
    return true;
}

void PresetHistory::trim() const {
    QDir dir(folder_);
    const QStringList notes = notesIn(dir);
    for (qsizetype i = 0; i + kLimit < notes.size(); ++i) {
        const QString stem = notes[i].chopped(kNoteSuffix.size());
        dir.remove(notes[i]);
        dir.remove(stem + kPresetSuffix);
    }
}

std::vector<HistoryEntry> PresetHistory::entries() const {
    QDir dir(folder_);
    std::vector<HistoryEntry> found;
    const QStringList notes = notesIn(dir);
    for (auto it = notes.crbegin(); it != notes.crend(); ++it) {
        QFile file(dir.filePath(*it));
        if (!file.open(QIODevice::ReadOnly)) continue;
        HistoryEntry e;
        e.id = idOf(*it);
        e.presetPath = dir.filePath(it->chopped(kNoteSuffix.size()) + kPresetSuffix);
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            const QString key = line.section(QLatin1Char('='), 0, 0);
            const QString value = line.section(QLatin1Char('='), 1);
            if (key == QLatin1String("time")) e.time = QDateTime::fromString(value, Qt::ISODate);
            if (key == QLatin1String("slot")) e.slot = value.toInt();
            if (key == QLatin1String("old")) e.oldName = value;
            if (key == QLatin1String("new")) e.newName = value;
            if (key == QLatin1String("writer")) e.writer = value;
        }
        found.push_back(e);
    }
    return found;
}

std::optional<HistoryEntry> PresetHistory::entry(int id) const {
    for (const HistoryEntry& e : entries())
        if (e.id == id) return e;
    return std::nullopt;
}

std::optional<PresetRecord> PresetHistory::record(const HistoryEntry& entry) const {
    YJPresetFile file;
    std::int32_t error = 0;
    PresetRecord rec{};
    if (!file.ReadFileToPresetPath(entry.presetPath, error) || !file.ReadPresetBufferPresetData(rec.data(), rec.size()))
        return std::nullopt;
    return rec;
}

}  // namespace quorvex

namespace quorvex {

namespace {

// Writes the replaced presets on a thread of its own, in the order they came: the
// confirmations that replace them arrive on the link's thread under its lock, which is
// held only while values are copied. Pending entries are written before it ends.
class HistoryWriter {
public:
    explicit HistoryWriter(const QString& folder) : history_(folder), thread_([this] { run(); }) {}
    ~HistoryWriter() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }

    void add(int slot, const PresetRecord& old, const PresetRecord& replacement, const std::string& writer) {
        {
            const std::lock_guard lock(mutex_);
            queue_.push_back({slot, old, replacement, QString::fromStdString(writer)});
        }
        wake_.notify_one();
    }

private:
    struct Replaced {
        int slot;
        PresetRecord old, replacement;
        QString writer;
    };

    void run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) return;
            const Replaced r = queue_.front();
            queue_.pop_front();
            lock.unlock();
            QString reason;
            if (!history_.keep(r.slot, r.old, r.replacement, r.writer, &reason))
                qWarning("The replaced preset %s was not kept: %s", slotLabel(r.slot).c_str(), qPrintable(reason));
            lock.lock();
        }
    }

    PresetHistory history_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Replaced> queue_;
    bool stopping_ = false;
    std::thread thread_;  // last: it starts once the members it uses are made
};

}  // namespace

void keepReplacedPresets(DeviceThread& link, const QString& folder) {
    auto writer = std::make_shared<HistoryWriter>(folder);
    link.withLinkLock([&link, writer](ParameterBlocks&, CommandEncoder&) {
        link.presets().onReplaced([writer](int slot, const PresetRecord& old, const PresetRecord& replacement,
                                           const std::string& by) { writer->add(slot, old, replacement, by); });
    });
}

}  // namespace quorvex
