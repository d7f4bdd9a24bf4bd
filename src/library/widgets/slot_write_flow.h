#pragma once
#include "file_alerts.h"
#include "slot_writes.h"

#include <QObject>

#include <chrono>
#include <memory>

namespace quorvex {

class AppDelegate;
class RootViewController;

// Orders the pedal's slots from the editor: a move, a copy, a preset file written into a
// slot, or a replaced preset put back. Every changed slot is written and confirmed before
// the next, with a progress dialog when there are more than a few; the list shows each
// slot once the pedal confirmed it. One run at a time.
class SlotWriteFlow : public QObject {
    Q_OBJECT
public:
    // More writes than this show the progress dialog.
    static constexpr std::size_t kQuietWrites = 3;

    SlotWriteFlow(AppDelegate& hub, RootViewController& root, QObject* parent = nullptr);
    ~SlotWriteFlow() override;

    void move(int from, int to) { reorder(from, to, true); }
    void copy(int from, int to) { reorder(from, to, false); }
    void writeFile(const QString& path, int slot);
    // A preset the history kept goes back into its slot; what it replaces is kept in turn.
    void putBack(int slot, const PresetRecord& record);

    bool running() const { return run_ != nullptr; }
    void setAlert(FileAlert alert) { alert_ = std::move(alert); }
    void setPollInterval(std::chrono::milliseconds interval) { poll_ = interval; }

signals:
    // A run ended, with or without success.
    void finished();

private:
    void reorder(int from, int to, bool move);
    void run(std::vector<SlotWrite> writes, const QString& title);
    bool refuseWhileBusy();

    AppDelegate& hub_;
    RootViewController& root_;
    FileAlert alert_;
    std::chrono::milliseconds poll_{10};
    std::unique_ptr<SlotWrites> run_;
};

}  // namespace quorvex
