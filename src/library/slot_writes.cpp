#include "slot_writes.h"

#include "current_sound.h"
#include "preset_file_names.h"

#include <memory>

namespace quorvex {
namespace {

std::vector<std::uint32_t> valuesOf(const PresetRecord& record) { return {record.begin(), record.end()}; }

// With toSave, the sound's edits wait until the save that follows has gone out.
LinkStep loadStep(DeviceThread& link, const PresetRecord& record, const QString& what, bool toSave) {
    return sentStep([&link, values = valuesOf(record), toSave] {
        if (toSave) link.withLinkLock([](ParameterBlocks&, CommandEncoder& encoder) { encoder.saveNextLoad(); });
        link.SendDataToDevoice(BlockType::RECORD_CURRENT, values.data(), static_cast<int>(values.size()));
    }, cmd::RecordCurrent, what);
}

// The sound the pedal plays now: its current preset with every block reported or sent since.
PresetRecord playingRecord(DeviceThread& link) {
    return link.withLinkLock([&link](ParameterBlocks& blocks, CommandEncoder&) {
        CurrentSound sound;
        const int current = static_cast<int>(blocks.CURRENT_Preset[0] + 256 * blocks.CURRENT_Preset[1]);
        sound.load(PresetStore::validSlot(current) ? link.presets().record(current) : PresetRecord{});
        for (int m = 0; m < kModuleCount; ++m) sound.changed(static_cast<Module>(m));
        for (const auto part : {CurrentSound::Part::Chain, CurrentSound::Part::Volume, CurrentSound::Part::Exp,
                                CurrentSound::Part::Ctrl})
            sound.changed(part);
        return sound.record(blocks);
    });
}

}  // namespace

SlotWrites::SlotWrites(DeviceThread& link, std::vector<SlotWrite> writes, std::chrono::milliseconds pollInterval,
                       QObject* parent)
    : QObject(parent), link_(link), writes_(std::move(writes)) {
    transfer_ = std::make_unique<LinkTransfer>(link_, buildSteps(), nullptr, pollInterval);
    connect(transfer_.get(), &LinkTransfer::stepAnswered, this, &SlotWrites::confirmed);
    // A run that stops between a load and its save lets the sound's edits go again.
    connect(transfer_.get(), &LinkTransfer::finished, this, [this] {
        link_.withLinkLock([](ParameterBlocks&, CommandEncoder& encoder) { encoder.releaseSound(); });
    });
    connect(transfer_.get(), &LinkTransfer::finished, this, &SlotWrites::finished);
}

SlotWrites::~SlotWrites() = default;

std::vector<LinkStep> SlotWrites::buildSteps() {
    std::vector<LinkStep> steps;
    bool saved = false;
    for (std::size_t i = 0; i < writes_.size(); ++i) {
        const SlotWrite& write = writes_[i];
        const QString what = QString::fromStdString(slotLabel(write.slot));
        if (write.slot < 256) {
            steps.push_back(presetWriteStep([this, slot = write.slot, values = valuesOf(write.record)] {
                link_.SendPresetsDataToDevice(BlockType::RECORD_WRITE, values.data(), static_cast<int>(values.size()), slot);
            }, what));
            writeOfStep_.push_back(static_cast<int>(i));
            continue;
        }
        steps.push_back(loadStep(link_, write.record, what, true));
        writeOfStep_.push_back(-1);
        std::vector<std::uint32_t> save{slotLow(write.slot), slotHigh(write.slot)};
        save.insert(save.end(), write.record.begin() + record::kName, write.record.begin() + record::kName + kNameSize);
        auto answersBefore = std::make_shared<std::uint32_t>(0);
        LinkStep step;
        step.send = [this, slot = write.slot, save, answersBefore] {
            if (announce_) announce_(slot);
            *answersBefore = link_.withLinkLock([](ParameterBlocks& blocks, CommandEncoder&) { return blocks.SaveAnswers; });
            link_.SendDataToDevoice(BlockType::SAVE, save.data(), static_cast<int>(save.size()));
        };
        step.answered = [answersBefore](ParameterBlocks& blocks, const CommandEncoder&) {
            return blocks.SaveAnswers != *answersBefore;
        };
        step.limit = kPresetWriteLimit;
        step.what = what;
        steps.push_back(std::move(step));
        writeOfStep_.push_back(static_cast<int>(i));
        saved = true;
    }
    if (saved) {
        soundBefore_ = playingRecord(link_);
        steps.push_back(loadStep(link_, *soundBefore_, QStringLiteral("the sound played before"), false));
        writeOfStep_.push_back(-1);
    }
    return steps;
}

void SlotWrites::confirmed(int step) {
    const int index = writeOfStep_[static_cast<std::size_t>(step)];
    if (index < 0) return;
    const SlotWrite& write = writes_[static_cast<std::size_t>(index)];
    link_.withLinkLock([&](ParameterBlocks&, CommandEncoder&) {
        // A preset write, whichever way it reached the slot.
        link_.presets().storeRecord(write.slot, write.record.data(), true, "import");
    });
    emit slotWritten(write.slot);
}

SlotWrite fileWrite(int slot, const PresetRecord& record, const QString& baseName) {
    return {slot, recordNamedFromFile(record, baseName)};
}

}  // namespace quorvex
