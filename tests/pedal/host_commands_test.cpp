// What the pedal keeps of the commands the editor sends, and its answers to saves and
// preset writes.
#include "pedal_host.h"

#include "block_payloads.h"

#include <gtest/gtest.h>

#include <cstring>

namespace pedaltest {
namespace {

using quorvex::Module;
using quorvex::PresetRecord;
using quorvex::pedal::VirtualPedal;
using quorvex::pedal::putBe16;

class PedalHostCommands : public ConnectedPedalTest {
protected:
    // Sends a frame and waits until the pedal has taken it.
    void deliver(std::uint8_t cmd, const std::vector<std::uint8_t>& payload) {
        const std::size_t before = countOf(cmd);
        host->send(cmd, payload);
        ASSERT_TRUE(pedal.waitForCommand(cmd, 3000ms, before + 1)) << "command " << int(cmd);
    }
    std::size_t countOf(std::uint8_t cmd) const {
        const auto frames = pedal.receivedFrames();
        return static_cast<std::size_t>(std::count_if(frames.begin(), frames.end(), [cmd](const auto& f) { return f.command == cmd; }));
    }
    static std::vector<std::uint8_t> be16s(std::initializer_list<std::uint32_t> values) {
        std::vector<std::uint8_t> out;
        for (auto v : values) putBe16(out, v);
        return out;
    }

};

TEST_F(PedalHostCommands, ModuleBlocksAreKeptAsSent) {
    deliver(144, be16s({1, 7, 10, 20, 30, 40}));
    const auto fx = pedal.block(Module::Fx);
    EXPECT_EQ((std::vector<std::uint32_t>(fx.begin(), fx.begin() + 6)), (std::vector<std::uint32_t>{1, 7, 10, 20, 30, 40}));

    deliver(150, be16s({1, 4, 12, 0, 24, 0, 6, 0, 100, 1000, 18000}));
    EXPECT_EQ(pedal.block(Module::Eq)[10], 18000u);
    EXPECT_EQ(pedal.block(Module::Eq)[8], 100u);

    // Values above one byte survive: MOD "DETUNE" keeps its pitch in element 6.
    deliver(151, be16s({1, 10, 50, 60, 70, 80, 399}));
    EXPECT_EQ(pedal.block(Module::Mod)[6], 399u);
}

TEST_F(PedalHostCommands, DelayTakesTheModelDependentTail) {
    const auto before = pedal.block(Module::Delay);
    auto dual = be16s({1, 9, 50, 40, 2500, 3, 1800, 9});
    deliver(152, dual);
    auto delay = pedal.block(Module::Delay);
    EXPECT_EQ(delay[4], 2500u);
    EXPECT_EQ(delay[7], 1800u);
    EXPECT_EQ(delay[8], 9u);
    EXPECT_EQ(delay[6], before[6]) << "the dual delay does not carry element 6";

    auto dynamic = be16s({1, 8, 50, 40, 700, 3, 85});
    dynamic.push_back(0x00);
    dynamic.push_back(0x02);
    deliver(152, dynamic);
    delay = pedal.block(Module::Delay);
    EXPECT_EQ(delay[1], 8u);
    EXPECT_EQ(delay[6], 85u);
    EXPECT_EQ(delay[7], 1800u) << "other models leave elements 7 and 8";
    EXPECT_EQ(delay[8], 9u);
}

TEST_F(PedalHostCommands, GlobalSettingsAndPresetValuesAreKept) {
    deliver(161, {11, 1, 0, 30, 40, 1, 0, 0, 7, 8});
    deliver(159, {0x64, 0x00, 13, 0xE8, 0x03, 5, 0x40, 0x1F, 25});
    deliver(137, {1});
    deliver(135, {2});
    deliver(130, {8, 0});
    deliver(160, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0});
    deliver(162, {77});
    deliver(163, {1, 2, 3, 4, 5, 10, 90});
    deliver(164, {0x00, 0x3C, 1, 0, 1, 0, 1, 0, 1, 0, 1, 1});

    const auto s = pedal.settings();
    EXPECT_EQ(s.system, (std::array<std::uint8_t, 10>{11, 1, 0, 30, 40, 1, 0, 0, 7, 8}));
    // Nine bytes arrive; the tenth stays what it was.
    EXPECT_EQ(s.globalEq[5], 5);
    EXPECT_EQ(s.globalEq[8], 25);
    EXPECT_EQ(s.fsMode, 1);
    EXPECT_EQ(s.expMerge, 2);
    EXPECT_EQ(s.focus, (std::array<std::uint8_t, 2>{8, 0}));
    EXPECT_EQ(pedal.chain(), (std::array<std::uint32_t, 18>{9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0}));
    const auto live = pedal.liveSound();
    EXPECT_EQ(live.volume, 77u);
    EXPECT_EQ(live.exp, (std::array<std::uint32_t, 7>{1, 2, 3, 4, 5, 10, 90}));
    EXPECT_EQ(live.ctrl[0], 60u) << "the tempo is kept as the two bytes carry it";
    EXPECT_EQ(live.ctrl[10], 1u);

    // The last focus message counts.
    deliver(130, {11, 3});
    EXPECT_EQ(pedal.settings().focus, (std::array<std::uint8_t, 2>{11, 3}));
}

TEST_F(PedalHostCommands, CurrentPresetLoadsTheSlotWithoutAnswer) {
    deliver(166, {1, 1});  // slot 257
    EXPECT_EQ(pedal.currentPreset(), 257);
    const auto rec = pedal.record(257);
    for (int m = 0; m < quorvex::kModuleCount; ++m) {
        const auto values = quorvex::moduleValuesFromRecord(rec, static_cast<Module>(m));
        const auto block = pedal.block(static_cast<Module>(m));
        for (std::size_t e = 0; e < values.size(); ++e) EXPECT_EQ(block[e], values[e]) << m << "/" << e;
    }
    EXPECT_EQ(pedal.chain(), quorvex::chainFromRecord(rec));
    EXPECT_EQ(pedal.liveSound().volume, rec[quorvex::record::kPresetVolume]);
    EXPECT_TRUE(host->silentFor(150ms));

    deliver(166, {44, 1});  // 300: no such slot
    EXPECT_EQ(pedal.currentPreset(), 257);
}

TEST_F(PedalHostCommands, RecordLoadsAsTheCurrentSoundWithoutBeingStored) {
    PresetRecord rec = pedal.record(20);
    rec[28] = 5;  // FX model
    rec[29] = 1;  // FX on
    rec[30] = 99;
    rec[200] = 0x5A;
    const auto storedBefore = pedal.record(0);
    deliver(131, std::vector<std::uint8_t>(rec.begin(), rec.end()));
    const auto fx = pedal.block(Module::Fx);
    EXPECT_EQ(fx[0], 1u);
    EXPECT_EQ(fx[1], 5u);
    EXPECT_EQ(fx[2], 99u);
    EXPECT_EQ(pedal.liveRecord(), rec);
    EXPECT_EQ(pedal.currentPreset(), 0);
    EXPECT_EQ(pedal.record(0), storedBefore);
    EXPECT_EQ(pedal.record(20), VirtualPedal::factoryPresets()[20]);
    EXPECT_TRUE(host->silentFor(150ms));
}

std::vector<std::uint8_t> savePayload(int slot, const std::string& name) {
    std::vector<std::uint8_t> p{quorvex::slotLow(slot), quorvex::slotHigh(slot)};
    std::array<std::uint8_t, 16> bytes{};
    std::memcpy(bytes.data(), name.data(), std::min<std::size_t>(16, name.size()));
    p.insert(p.end(), bytes.begin(), bytes.end());
    return p;
}

TEST_F(PedalHostCommands, SaveStoresTheLiveSoundUnderTheNameAndConfirms) {
    deliver(144, be16s({1, 8, 11, 22, 33, 44}));
    deliver(162, {66});
    const PresetRecord before = pedal.record(10);
    host->send(168, savePayload(10, "MY SOUND"));

    // The stored copy comes first, so that the host's copy of the slot follows the save.
    const auto stored = host->nextWith(169);
    const auto confirm = host->nextWith(168);
    ASSERT_TRUE(confirm);
    std::vector<std::uint8_t> expected{10};
    const std::string name15 = std::string("MY SOUND") + std::string(7, '\0');
    expected.insert(expected.end(), name15.begin(), name15.end());
    EXPECT_EQ(confirm->payload, expected);

    const PresetRecord after = pedal.record(10);
    EXPECT_EQ(quorvex::recordName(after), "MY SOUND");
    ASSERT_TRUE(stored);
    ASSERT_EQ(stored->payload.size(), 2 + quorvex::kRecordSize);
    EXPECT_EQ(stored->payload[0], 10);
    EXPECT_TRUE(std::equal(after.begin(), after.end(), stored->payload.begin() + 2));
    const auto fx = quorvex::moduleValuesFromRecord(after, Module::Fx);
    EXPECT_EQ((std::vector<std::uint32_t>(fx.begin(), fx.begin() + 6)), (std::vector<std::uint32_t>{1, 8, 11, 22, 33, 44}));
    EXPECT_EQ(after[quorvex::record::kPresetVolume], 66);
    // The other modules are the live ones (preset 0's), not slot 10's.
    EXPECT_EQ(quorvex::moduleValuesFromRecord(after, Module::Reverb),
              quorvex::moduleValuesFromRecord(pedal.record(0), Module::Reverb));
    // Bytes the pedal does not interpret stay those of the slot.
    EXPECT_TRUE(std::equal(after.begin() + 128, after.begin() + 344, before.begin() + 128));
    EXPECT_TRUE(std::equal(after.begin() + 360, after.end(), before.begin() + 360));
    EXPECT_EQ(pedal.currentPreset(), 0) << "saving elsewhere leaves the current preset";
}

TEST_F(PedalHostCommands, SaveConfirmationCarriesTheLowIndexByteAndFifteenNameBytes) {
    host->send(168, savePayload(260, "ABCDEFGHIJKLMNOP"));
    const auto confirm = host->nextWith(168);
    ASSERT_TRUE(confirm);
    ASSERT_EQ(confirm->payload.size(), 16u);
    EXPECT_EQ(confirm->payload[0], 4);  // 260 mod 256
    EXPECT_EQ(std::string(confirm->payload.begin() + 1, confirm->payload.end()), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(quorvex::recordName(pedal.record(260)), "ABCDEFGHIJKLMNOP");
}

TEST_F(PedalHostCommands, PresetWriteStoresTheRecordAndAcknowledges) {
    PresetRecord rec{};
    for (std::size_t i = 0; i < rec.size(); ++i) rec[i] = static_cast<std::uint8_t>(i * 7 + 3);
    std::vector<std::uint8_t> payload{200};
    payload.insert(payload.end(), rec.begin(), rec.end());
    host->send(229, payload);
    const auto ack = host->nextWith(229);
    ASSERT_TRUE(ack);
    EXPECT_EQ(ack->payload, (std::vector<std::uint8_t>{200}));
    EXPECT_EQ(pedal.record(200), rec);
    EXPECT_EQ(pedal.record(199), VirtualPedal::factoryPresets()[199]);
}

TEST_F(PedalHostCommands, FramesSplitAcrossReportsAndGarbageBetweenThemAreHandled) {
    // A 131 record travels in nine reports; stray bytes before a frame are skipped.
    quorvex::Report junk{};
    junk[0] = 3;
    junk[1] = 0x12;
    junk[2] = 0xAA;  // a false start mark
    junk[3] = 0x00;
    host->sendReport(junk);
    deliver(144, be16s({0, 2, 1, 2, 3, 4}));
    EXPECT_EQ(pedal.block(Module::Fx)[1], 2u);
}

}  // namespace
}  // namespace pedaltest
