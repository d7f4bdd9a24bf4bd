#pragma once
#include "link_transfer.h"
#include "slot_moves.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace quorvex {

// Writes records into the pedal's slots, each confirmed before the next goes out. Slots
// up to 255 take the numbered write (229), whose slot number is one byte; a slot above
// is reached by loading the record as the sound (131) and saving it there (168), after
// which the sound that played before is loaded back. Every confirmed slot is put into
// the link's copy of the presets and announced with what it held before.
class SlotWrites : public QObject {
    Q_OBJECT
public:
    SlotWrites(DeviceThread& link, std::vector<SlotWrite> writes, std::chrono::milliseconds pollInterval,
               QObject* parent = nullptr);
    ~SlotWrites() override;

    // Called before a save to a slot above 255 goes out (the editor expects its confirmation).
    void setSaveAnnouncer(std::function<void(int slot)> announce) { announce_ = std::move(announce); }

    LinkTransfer& transfer() { return *transfer_; }
    const std::vector<SlotWrite>& writes() const { return writes_; }
    // Whether the run loads the sound played before back at its end, and that sound.
    bool reloadsSound() const { return soundBefore_.has_value(); }
    const PresetRecord& soundBefore() const { return *soundBefore_; }
    void start() { transfer_->start(); }

signals:
    // The pedal confirmed the slot's new record.
    void slotWritten(int slot);
    void finished(quorvex::LinkTransfer::End end);

private:
    std::vector<LinkStep> buildSteps();
    void confirmed(int step);

    DeviceThread& link_;
    std::vector<SlotWrite> writes_;
    std::vector<int> writeOfStep_;  // the write a step confirms, or -1
    std::function<void(int)> announce_;
    std::optional<PresetRecord> soundBefore_;
    std::unique_ptr<LinkTransfer> transfer_;
};

// A preset file's record as a write into a slot: named after the file, as an import names it.
SlotWrite fileWrite(int slot, const PresetRecord& record, const QString& baseName);

}  // namespace quorvex
