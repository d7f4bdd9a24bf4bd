#include "dispatcher.h"
#include "frame.h"
#include "support/recording_events.h"
#include "support/wire_words.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>

namespace quorvex {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::RecordingEvents;
using testing::be16s;

class DispatcherTest : public ::testing::Test {
protected:
    void receive(std::uint8_t command, const Bytes& payload) {
        const Bytes frame = buildFrame(command, payload);
        dispatcher.dispatch_frame(frame.data(), frame.size());
    }
    std::vector<std::uint32_t> lastValues(EventCode code) {
        const auto found = events.eventsWith(code);
        return found.empty() ? std::vector<std::uint32_t>{} : found.back().values;
    }
    ParameterBlocks blocks;
    PresetStore presets;
    std::mutex lock;
    RecordingEvents events;
    Dispatcher dispatcher{blocks, presets, lock, events, nullptr};
};

TEST_F(DispatcherTest, ModuleBlocksUpdateAndMarkThePresetEdited) {
    struct Row { std::uint8_t command; Module module; std::size_t count; EventCode code; };
    const Row rows[] = {{144, Module::Fx, 6, EventCode::FxModeUpdateData},
                        {145, Module::Ds, 5, EventCode::DsModeUpdateData},
                        {147, Module::Amp, 8, EventCode::AmpModeUpdateData},
                        {149, Module::Ns, 5, EventCode::NsModeUpdateData},
                        {150, Module::Eq, 11, EventCode::EqModeUpdateData},
                        {151, Module::Mod, 7, EventCode::ModModeUpdateData},
                        {153, Module::Reverb, 6, EventCode::ReverbModeUpdateData}};
    for (const Row& row : rows) {
        std::vector<std::uint32_t> expected;
        for (std::uint32_t i = 0; i < row.count; ++i) expected.push_back(0x0100 * (i + 1) + row.command);
        receive(row.command, be16s(expected));
        EXPECT_EQ(lastValues(row.code), expected) << int(row.command);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), blocks.module(row.module).begin()));
    }
    EXPECT_EQ(events.changedFlags, std::vector<bool>(7, true));
}

TEST_F(DispatcherTest, DelayTailFollowsTheReceivedModel) {
    auto& delay = blocks.module(Module::Delay);
    delay[6] = 66; delay[7] = 77; delay[8] = 88;
    receive(152, be16s({1, 3, 10, 11, 12, 13, 500, 600}));
    EXPECT_EQ(delay[6], 66u);
    EXPECT_EQ(delay[7], 77u);
    EXPECT_EQ(delay[8], 88u);
    receive(152, be16s({1, 9, 10, 11, 12, 13, 500, 600}));
    EXPECT_EQ(delay[7], 500u);
    EXPECT_EQ(delay[8], 600u);
    receive(152, be16s({1, 8, 10, 11, 12, 13, 400}));
    EXPECT_EQ(delay[6], 400u);
    EXPECT_EQ(lastValues(EventCode::DelayModeUpdateData), (std::vector<std::uint32_t>{1, 8, 10, 11, 12, 13, 400, 500, 600}));
}

TEST_F(DispatcherTest, GlobalBlocksAndTheirEvents) {
    receive(161, Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_EQ(lastValues(EventCode::SystemUpdateData).size(), 10u);
    EXPECT_EQ(blocks.SYSTEM_Block[9], 10u);

    receive(159, Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_EQ(blocks.GLBI_EQ_Block[9], 10u);
    EXPECT_EQ(blocks.SYSTEM_Block[5], 6u) << "a global EQ report leaves the system block alone";

    receive(137, Bytes{2});
    EXPECT_EQ(blocks.FSMODE_Value, 2u);
    receive(162, Bytes{80});
    EXPECT_EQ(lastValues(EventCode::PresetVolUpdateData), std::vector<std::uint32_t>{80});
    receive(163, Bytes{1, 2, 3, 4, 5, 6, 7});
    EXPECT_EQ(blocks.EXP_Block[6], 7u);
    Bytes chain(18);
    std::iota(chain.begin(), chain.end(), 1);
    receive(160, chain);
    EXPECT_EQ(lastValues(EventCode::EfficChainUpdateData).size(), 18u);
    receive(130, Bytes{3, 0, 0});
    EXPECT_EQ(lastValues(EventCode::UICMDUpdateData), (std::vector<std::uint32_t>{3, 0, 0}));
    receive(187, Bytes{0xFF, 1});
    EXPECT_EQ(lastValues(EventCode::MergeStatusUpdateData), (std::vector<std::uint32_t>{255, 1}));

    receive(164, Bytes{0x00, 0x78, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_EQ(blocks.CTRL_Block[0], 120u);
    EXPECT_EQ(blocks.CTRL_Block[10], 10u);
    EXPECT_EQ(lastValues(EventCode::TabCtrlUpdateData).size(), 11u);

    // Only module, volume and chain reports mark the preset edited.
    EXPECT_EQ(events.changedFlags, (std::vector<bool>{true, true}));
}

TEST_F(DispatcherTest, PresetRecordsFillTheDumpAndReportProgress) {
    Bytes payload = {43, 1};  // slot 299
    Bytes record(512, 0x33);
    std::memcpy(record.data() + 12, "LAST", 4);
    std::fill(record.begin() + 16, record.begin() + 28, 0);
    payload.insert(payload.end(), record.begin(), record.end());
    receive(165, payload);
    EXPECT_EQ(presets.record(299)[0], 0x33);
    EXPECT_EQ(presets.name(299), "LAST");
    EXPECT_EQ(presets.record(298)[0], 0) << "only slot 299 written";
    ASSERT_EQ(events.progress_.size(), 1u);
    EXPECT_FLOAT_EQ(events.progress_[0], 1.0f);
    ASSERT_TRUE(events.presetList);
    EXPECT_EQ(events.presetList->at(299), "100C:LAST");
    EXPECT_EQ(events.missingSlots.size(), 299u) << "loading ends with slot 299 but names the slots that never came";
    EXPECT_EQ(events.missingSlots.front(), 0);
    EXPECT_FALSE(presets.arrived(4));

    payload[0] = 4;
    payload[1] = 0;
    std::memcpy(payload.data() + 2 + 12, "CLEAN", 6);
    receive(165, payload);
    EXPECT_FLOAT_EQ(events.progress_.back(), 5.0f / 300.0f);
    EXPECT_EQ(presets.displayText(4), "002B:CLEAN");
    EXPECT_TRUE(presets.arrived(4));

    // 169 stores the record but not the name; a slot past the end is ignored.
    std::vector<std::string> replaced;
    presets.onReplaced([&](int slot, const PresetRecord& old, const PresetRecord& now, const std::string& writer) {
        replaced.push_back(slotLabel(slot) + " " + recordName(old) + ">" + recordName(now) + " " + writer);
    });
    std::memcpy(payload.data() + 2 + 12, "OTHER", 6);
    receive(169, payload);
    EXPECT_EQ(presets.name(4), "CLEAN");
    EXPECT_EQ(recordName(presets.record(4)), "OTHER");
    // The pedal confirms a record write and a restored preset: the old records are told.
    blocks.WritePresetIndex = 4;
    std::memcpy(blocks.PRESET_Record_Out.data() + 12, "BACK", 5);
    receive(229, Bytes{4});
    blocks.BackupXfer.kind = 4, blocks.BackupXfer.number = 5, blocks.BackupXfer.part = 1;
    std::memcpy(blocks.BackupXfer.data.data() + 12, "REST", 5);
    receive(171, Bytes{4, 5, 1});
    EXPECT_EQ(replaced, (std::vector<std::string>{"002B CLEAN>OTHER save", "002B OTHER>BACK import", "002B BACK>REST restore"}));
    const auto progressBefore = events.progress_.size();
    payload[0] = 44;
    payload[1] = 1;  // slot 300
    receive(165, payload);
    EXPECT_EQ(events.progress_.size(), progressBefore);
}

TEST_F(DispatcherTest, TransferAcknowledgements) {
    blocks.WritePresetIndex = 12;
    receive(229, Bytes{11});  // the confirmation of an earlier write
    EXPECT_EQ(blocks.WritePresetIndex, 12);
    receive(229, Bytes{12});
    EXPECT_EQ(blocks.WritePresetIndex, -1);

    // Only the chunk in flight is acknowledged: an upload that gave up is not revived,
    // and a late acknowledgement from it does not move the next upload on.
    auto& ir = blocks.IrUpload;
    ir.chunk = 2;
    receive(225, Bytes{2});
    EXPECT_FALSE(ir.pending);
    ir.active = true;
    receive(225, Bytes{3});
    EXPECT_FALSE(ir.pending);
    receive(225, Bytes{2});
    EXPECT_EQ(ir.chunk, 3);
    EXPECT_TRUE(ir.pending);
    ir.chunk = 4;
    receive(225, Bytes{4});
    EXPECT_TRUE(ir.done);
    EXPECT_FALSE(ir.active);

    auto& amp = blocks.AmpUpload;
    amp.active = true;
    amp.chunk = 1;
    receive(226, Bytes{4});
    EXPECT_EQ(amp.chunk, 1);
    amp.chunk = 5;
    receive(226, Bytes{5});
    EXPECT_FALSE(amp.active);

    // Backup answers are taken only for the block asked for (or 255: the item is empty).
    auto& x = blocks.BackupXfer;
    const auto ask = [&x](std::uint32_t kind, std::uint32_t item, std::uint32_t block) {
        x.kind = kind, x.number = item, x.part = block, x.done = false;
    };
    Bytes answer = {1, 3, 2};
    answer.resize(3 + 512, 0x42);
    ask(1, 3, 3);
    receive(170, answer);  // a late answer to the block before
    EXPECT_FALSE(x.done);
    ask(1, 3, 2);
    receive(170, answer);
    EXPECT_TRUE(x.done);
    EXPECT_EQ(x.data[511], 0x42);
    ask(1, 4, 1);
    receive(170, Bytes{1, 4, 255});  // an empty item: no data taken
    EXPECT_TRUE(x.done);
    EXPECT_EQ(x.part, 255u);
    EXPECT_EQ(x.data[0], 0x42);
    ask(3, 1, 1);
    receive(170, Bytes{3, 1, 1, 9, 8});  // shorter than its block: the rest is zero
    EXPECT_EQ(x.data[1], 8);
    EXPECT_EQ(x.data[2], 0);
    EXPECT_EQ(x.data[511], 0);
    ask(4, 1, 2);
    receive(171, Bytes{4, 1, 1});
    EXPECT_FALSE(x.done);
    ask(4, 1, 1);
    receive(171, Bytes{4, 1, 1});
    EXPECT_TRUE(x.done);
}

TEST_F(DispatcherTest, ShortBlocksKeepWhatArrivedAndWholeUnitsAreNotCut) {
    // The pedal's nine-byte global EQ: all nine values taken, element 9 kept.
    blocks.GLBI_EQ_Block[9] = 77;
    receive(159, Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9});
    EXPECT_EQ(blocks.GLBI_EQ_Block[8], 9u);
    EXPECT_EQ(blocks.GLBI_EQ_Block[9], 77u);
    EXPECT_EQ(lastValues(EventCode::GLBI_EQ_ReveiveDataUpdateData), (std::vector<std::uint32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}));

    // A DELAY model 8 report with only its six common values: those six, the tail kept.
    auto& delay = blocks.module(Module::Delay);
    delay[6] = 33;
    receive(152, be16s({1, 8, 10, 11, 12, 13}));
    EXPECT_EQ(delay[1], 8u);
    EXPECT_EQ(delay[5], 13u);
    EXPECT_EQ(delay[6], 33u);
    ASSERT_FALSE(events.eventsWith(EventCode::DelayModeUpdateData).empty());

    // A REVERB report one value short: five values taken, the sixth kept.
    blocks.module(Module::Reverb)[5] = 7;
    receive(153, be16s({1, 2, 3, 4, 5}));
    EXPECT_EQ(blocks.module(Module::Reverb)[4], 5u);
    EXPECT_EQ(blocks.module(Module::Reverb)[5], 7u);

    // Records are whole or nothing; a command only the editor sends is ignored.
    const std::size_t before = events.events.size();
    receive(165, Bytes(100, 0));
    receive(134, Bytes(300, 1));
    receive(131, Bytes(512, 1));
    receive(0, Bytes(56, 0));  // the identity answer
    receive(144, Bytes{});     // no value at all
    EXPECT_EQ(events.events.size(), before);
    EXPECT_TRUE(events.progress_.empty());
    EXPECT_EQ(events.trace.size(), 8u) << "every frame still gets its trace line";
}

}  // namespace
}  // namespace quorvex
