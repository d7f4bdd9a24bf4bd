// One host at a time; a new host after a disconnect starts a fresh session on a pedal
// that remembers its presets and settings. Stopping unplugs; starting plugs in again.
#include "pedal_host.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pedaltest {
namespace {

using quorvex::pedal::VirtualPedal;

bool waitSessions(const VirtualPedal& pedal, std::size_t n) {
    for (int i = 0; i < 300 && pedal.sessions() < n; ++i) std::this_thread::sleep_for(10ms);
    return pedal.sessions() >= n;
}

TEST(PedalSessions, SecondHostStartsFreshAndFindsTheStoredState) {
    TempBus bus;
    VirtualPedal pedal(bus.dir(), fastOptions());
    ASSERT_TRUE(pedal.start());
    {
        TestHost first(pedal.socketPath());
        first.greet();
        std::vector<std::uint8_t> save(18, 0);
        save[0] = 12;
        save[2] = 'K';
        save[3] = 'E';
        save[4] = 'P';
        save[5] = 'T';
        first.send(168, save);
        ASSERT_TRUE(first.nextWith(168));
        first.send(161, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        ASSERT_TRUE(pedal.waitForCommand(161, 3000ms));
        // Leave half a frame behind: the first report of a record load.
        std::vector<std::uint8_t> record(512, 0x44);
        const auto frame = quorvex::buildFrame(131, record);
        first.sendReport(quorvex::cutIntoReports(frame.data(), frame.size()).front());
        std::this_thread::sleep_for(50ms);
    }
    TestHost second(pedal.socketPath());
    ASSERT_TRUE(second.connected());
    ASSERT_TRUE(waitSessions(pedal, 2));
    second.startLink();
    const auto identity = second.next();
    ASSERT_TRUE(identity) << "the old half frame does not swallow the new start frame";
    EXPECT_EQ(identity->command, 0);
    const auto system = second.nextWith(161);
    ASSERT_TRUE(system);
    EXPECT_EQ(system->payload, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    ASSERT_TRUE(second.nextWith(165));
    const auto records = second.take(299, 10000ms);
    ASSERT_EQ(records.size(), 299u);
    EXPECT_EQ(quorvex::nameText(records[11].payload.data() + 2 + quorvex::record::kName), "KEPT");
    EXPECT_EQ(pedal.receivedFrames().back().command, 224);
}

TEST(PedalSessions, AnswersPendingForAGoneHostAreNotSentToTheNextOne) {
    TempBus bus;
    quorvex::pedal::PedalOptions options;  // paced, so that the dump is still going out
    VirtualPedal pedal(bus.dir(), options);
    ASSERT_TRUE(pedal.start());
    {
        TestHost first(pedal.socketPath());
        first.startLink();
        ASSERT_TRUE(first.nextWith(133));
    }
    TestHost second(pedal.socketPath());
    ASSERT_TRUE(waitSessions(pedal, 2));
    second.greet();
    second.send(0, {0});
    const auto frame = second.next();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->command, 0);
    EXPECT_TRUE(second.silentFor(200ms));
}

TEST(PedalSessions, StopUnplugsAndStartPlugsInAgainWithTheSameMemory) {
    TempBus bus;
    VirtualPedal pedal(bus.dir(), fastOptions());
    ASSERT_TRUE(pedal.start());
    EXPECT_TRUE(pedal.pluggedIn());
    EXPECT_TRUE(std::filesystem::exists(pedal.socketPath()));
    TestHost host(pedal.socketPath());
    host.greet();
    host.send(166, {9, 0});
    ASSERT_TRUE(pedal.waitForCommand(166, 3000ms));

    pedal.stop();
    EXPECT_FALSE(pedal.pluggedIn());
    EXPECT_FALSE(std::filesystem::exists(pedal.socketPath()));
    EXPECT_TRUE(host.waitClosed(3000ms));

    ASSERT_TRUE(pedal.start());
    EXPECT_EQ(pedal.currentPreset(), 9);
    TestHost again(pedal.socketPath());
    ASSERT_TRUE(again.connected());
    again.startLink();
    const auto current = again.nextWith(166);
    ASSERT_TRUE(current);
    EXPECT_EQ(current->payload, (std::vector<std::uint8_t>{9, 0}));
}

}  // namespace
}  // namespace pedaltest
