// The link against virtual pedals on a private virtual bus.
#include "commands.h"
#include "support/link_harness.h"

#include <gtest/gtest.h>

#include <QtGlobal>

#include <thread>

namespace quorvex {
namespace {

using namespace std::chrono_literals;
using testing::LinkHarness;

std::vector<std::uint8_t> commandsOf(const pedal::VirtualPedal& p) {
    std::vector<std::uint8_t> commands;
    for (const auto& f : p.receivedFrames()) commands.push_back(f.command);
    return commands;
}

TEST(Link, GreetsChecksAndLoadsThePresets) {
    LinkHarness h;
    auto& pedal = h.addPedal();
    h.startLink();
    ASSERT_TRUE(h.waitForPresets());

    EXPECT_EQ(commandsOf(pedal), (std::vector<std::uint8_t>{cmd::Start, cmd::Hello}));
    // One empty greeting report, then one report for each of the two short start frames.
    EXPECT_EQ(pedal.reportsReceived(), 3u);

    // The hello goes one tick after the start frame.
    h.events.locked([&] {
        ASSERT_GE(h.events.trace.size(), 2u);
        EXPECT_TRUE(h.events.trace[0].find("send:aa 55 02 00 00 00") != std::string::npos);
        std::size_t hello = 1;
        while (h.events.trace[hello].find("send:") == std::string::npos) ++hello;
        EXPECT_TRUE(h.events.trace[hello].find("send:aa 55 01 00 e0") != std::string::npos);
        EXPECT_GE(h.events.traceTimes[hello] - h.events.traceTimes[0], 9ms);
    });

    const auto& list = *h.events.presetList;
    ASSERT_EQ(list.size(), 300u);
    EXPECT_EQ(list[4], "002B:CLEAN");
    EXPECT_FLOAT_EQ(h.events.progress_.back(), 1.0f);
    for (int slot : {0, 4, 150, 299}) EXPECT_EQ(h.link().presets().record(slot), pedal.record(slot)) << slot;
    EXPECT_FALSE(h.events.firmwareTooOld);
    EXPECT_FALSE(h.events.exitMessage);
}

TEST(Link, EditsReachThePedalCoalescedAndKnobsComeBack) {
    LinkHarness h;
    auto& pedal = h.addPedal();
    h.startLink();
    ASSERT_TRUE(h.waitForPresets());

    const std::uint32_t first[] = {1, 2, 10, 20, 30, 40};
    const std::uint32_t second[] = {1, 2, 11, 21, 31, 41};
    const auto before = commandsOf(pedal);
    const auto fxFramesBefore = std::count(before.begin(), before.end(), cmd::Fx);
    h.link().SendDataToDevoice(BlockType::FX, first, 6);
    h.link().SendDataToDevoice(BlockType::FX, second, 6);
    ASSERT_TRUE(pedal.waitForCommand(cmd::Fx, 5s, static_cast<std::size_t>(fxFramesBefore) + 1));
    std::this_thread::sleep_for(400ms);  // more than one scheduler cycle
    const auto commands = commandsOf(pedal);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), cmd::Fx), fxFramesBefore + 1);
    const auto block = pedal.block(Module::Fx);
    EXPECT_EQ(block[2], 11u);
    EXPECT_EQ(block[5], 41u);
    h.events.locked([&] { EXPECT_TRUE(h.events.changedFlags.back()); });

    pedal.turnKnob(Module::Delay, 3, 321);
    ASSERT_TRUE(h.events.waitUntil([&] {
        for (const auto& e : h.events.events)
            if (e.code == EventCode::DelayModeUpdateData && e.values[3] == 321) return true;
        return false;
    }));
}

// Also while writing a log line takes long (a slow terminal or journal): the HID thread
// must be back reading before the start frame leaves, or command 224 overtakes the check.
TEST(Link, RefusedFirmwareHearsOnlyTheStartFrame) {
    for (const QtMessageHandler log : {QtMessageHandler{}, +[](QtMsgType, const QMessageLogContext&, const QString&) {
                                           std::this_thread::sleep_for(50ms);
                                       }}) {
        const QtMessageHandler previous = qInstallMessageHandler(log);
        LinkHarness h;
        auto options = LinkHarness::options();
        options.firmware = "1.0.1";
        auto& pedal = h.addPedal(options);
        h.startLink();
        ASSERT_TRUE(h.events.waitUntil([&] { return h.events.firmwareTooOld; }));
        std::this_thread::sleep_for(300ms);
        EXPECT_EQ(commandsOf(pedal), std::vector<std::uint8_t>{cmd::Start});
        EXPECT_FALSE(h.events.presetList);
        qInstallMessageHandler(previous);
    }
}

TEST(Link, WrongProductNameLosesOnlyTheFirstReport) {
    LinkHarness h;
    auto options = LinkHarness::options();
    options.product = "KIRO_QUORVEXII_";
    auto& pedal = h.addPedal(options);
    h.startLink();
    ASSERT_TRUE(h.waitForPresets());
    EXPECT_FALSE(h.events.firmwareTooOld);
    EXPECT_EQ(h.link().presets().record(299), pedal.record(299));
    EXPECT_FALSE(h.link().hidClass().identityOk());
}

// What was asked while no pedal was there (an edit, a slot emptied) goes to none.
TEST(Link, PedalPluggedInAfterStartUpIsServedAlikeAndHearsNothingAskedBefore) {
    LinkHarness h;
    h.startLink();
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(h.link().hidClass().isConnected());
    const std::uint32_t fx[] = {1, 2, 3, 4, 5, 6};
    h.link().SendDataToDevoice(BlockType::FX, fx, 6);
    h.link().withLinkLock([](ParameterBlocks&, CommandEncoder& encoder) { encoder.raise(cmd::IrDelete); });
    auto& pedal = h.addPedal();
    ASSERT_TRUE(h.waitForPresets());
    std::this_thread::sleep_for(300ms);  // more than a turn of the scheduler's ring
    EXPECT_EQ(commandsOf(pedal), (std::vector<std::uint8_t>{cmd::Start, cmd::Hello}));
}

TEST(Link, LostAndCorruptedReportsNeverCorruptTheDump) {
    for (const bool corrupt : {false, true}) {
        LinkHarness h;
        auto options = LinkHarness::options();
        // Faults start after the identity report, which must arrive for the link to proceed.
        if (corrupt) {
            options.corruptRate = 0.1;
        } else {
            options.dropRate = 0.02;  // a record travels in nine reports
        }
        options.seed = 7;
        auto& pedal = h.addPedal(options);
        h.startLink();
        // Loading may never complete (slot 299 can be lost): wait for the traffic to settle.
        h.waitForPresets(8s);
        std::this_thread::sleep_for(300ms);
        int received = 0;
        for (int slot = 0; slot < 300; ++slot) {
            const auto& rec = h.link().presets().record(slot);
            if (rec == PresetRecord{}) continue;
            ++received;
            EXPECT_EQ(rec, pedal.record(slot)) << "slot " << slot << (corrupt ? " corrupt" : " drop");
        }
        EXPECT_GT(received, 150) << "most records still arrive";
        EXPECT_LT(received, 300) << "the faults did strike";
        EXPECT_FALSE(h.events.exitMessage);
    }
}

}  // namespace
}  // namespace quorvex
