// Faults the pedal can be told to show: wrong identity texts are covered with the
// identity report; here the missing answers, the unplug, damaged and lost reports.
#include "crc16.h"
#include "pedal_host.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pedaltest {
namespace {

using quorvex::pedal::PedalOptions;
using quorvex::pedal::VirtualPedal;

constexpr std::size_t kDumpFrames = 1 + 19 + 300;  // identity, state, presets
// One identity report, two name tables of three, 17 one-report frames, 300 records of nine.
constexpr std::size_t kDumpReports = 1 + 3 + 3 + 17 + 300 * 9;

TEST(PedalFaults, NoAcksLeavesTransfersUnansweredButStillStores) {
    TempBus bus;
    PedalOptions options = fastOptions();
    options.noAcks = true;
    VirtualPedal pedal(bus.dir(), options);
    ASSERT_TRUE(pedal.start());
    TestHost host(pedal.socketPath());
    host.greet();

    host.send(0, {0});
    const auto identity = host.next();
    ASSERT_TRUE(identity) << "the identity is not an acknowledgement";
    EXPECT_EQ(identity->command, 0);

    quorvex::PresetRecord rec{};
    rec.fill(0x33);
    std::vector<std::uint8_t> write(rec.begin(), rec.end());
    write.insert(write.begin(), 9);
    host.send(229, write);
    host.send(225, {0, 4, 'X'});
    host.send(170, {4, 1, 1});
    host.send(171, {3, 1, 1});
    std::vector<std::uint8_t> save(18, 0);
    save[0] = 3;
    save[2] = 'N';
    host.send(168, save);
    ASSERT_TRUE(pedal.waitForCommand(168, 3000ms));
    EXPECT_TRUE(host.silentFor(200ms));
    EXPECT_EQ(pedal.record(9), rec);
    EXPECT_EQ(quorvex::recordName(pedal.record(3)), "N");
}

TEST(PedalFaults, UnplugsAfterTheGivenNumberOfFrames) {
    TempBus bus;
    PedalOptions options = fastOptions();
    options.unplugAfterFrames = 3;
    VirtualPedal pedal(bus.dir(), options);
    ASSERT_TRUE(pedal.start());
    TestHost host(pedal.socketPath());
    host.startLink();
    const auto frames = host.take(3, 3000ms);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].command, 0);
    EXPECT_EQ(frames[1].command, 133);
    EXPECT_EQ(frames[2].command, 227);
    EXPECT_TRUE(host.waitClosed(3000ms));
    EXPECT_FALSE(host.next(200ms)) << "nothing after the third frame";
    EXPECT_FALSE(pedal.pluggedIn());
    EXPECT_FALSE(std::filesystem::exists(pedal.socketPath()));
    EXPECT_EQ(pedal.framesSent(), 3u);
}

TEST(PedalFaults, CorruptRateOneDamagesEveryFrameButTheIdentityAnswer) {
    TempBus bus;
    PedalOptions options = fastOptions();
    options.corruptRate = 1.0;
    VirtualPedal pedal(bus.dir(), options);
    ASSERT_TRUE(pedal.start());
    TestHost host(pedal.socketPath());
    host.startLink();
        const std::size_t expectedReports = kDumpReports;
    ASSERT_TRUE(host.waitForReports(expectedReports, 10000ms));
    const auto first = host.next(200ms);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->command, 0) << "the identity answer is spared";
    EXPECT_FALSE(host.next(200ms)) << "no other frame passes its check";
    EXPECT_EQ(pedal.framesSent(), kDumpFrames);

    // The content is intact; only the check value is wrong.
    const quorvex::Report names = host.reports().at(1).report;
    EXPECT_EQ(names[5], 133);
    const std::size_t length = names[3] | names[4] << 8;
    const auto reports = host.reports();
    std::vector<std::uint8_t> frame;
    for (std::size_t i = 1; frame.size() < length + 6; ++i)
        frame.insert(frame.end(), reports.at(i).report.begin() + 1, reports.at(i).report.begin() + 1 + reports.at(i).report[0]);
    const std::uint16_t crc = quorvex::crc16(frame.data() + 2, length + 2);
    EXPECT_NE(frame[length + 4] << 8 | frame[length + 5], crc);
}

TEST(PedalFaults, DropRateOneSendsOnlyTheIdentityAnswer) {
    TempBus bus;
    PedalOptions options = fastOptions();
    options.dropRate = 1.0;
    VirtualPedal pedal(bus.dir(), options);
    ASSERT_TRUE(pedal.start());
    TestHost host(pedal.socketPath());
    host.startLink();
    for (int i = 0; i < 500 && pedal.framesSent() < kDumpFrames; ++i) std::this_thread::sleep_for(10ms);
    EXPECT_EQ(pedal.framesSent(), kDumpFrames);
    EXPECT_EQ(pedal.reportsSent(), 1u);
    EXPECT_EQ(pedal.reportsDropped(), kDumpReports - 1);
    ASSERT_TRUE(host.waitForReports(1, 200ms));
    EXPECT_FALSE(host.waitForReports(2, 200ms));
}

std::size_t droppedWith(std::uint32_t seed) {
    TempBus bus;
    PedalOptions options = fastOptions();
    options.dropRate = 0.25;
    options.seed = seed;
    VirtualPedal pedal(bus.dir(), options);
    EXPECT_TRUE(pedal.start());
    TestHost host(pedal.socketPath());
    host.startLink();
    for (int i = 0; i < 500 && pedal.framesSent() < kDumpFrames; ++i) std::this_thread::sleep_for(10ms);
    EXPECT_EQ(pedal.framesSent(), kDumpFrames);
    EXPECT_EQ(pedal.reportsSent() + pedal.reportsDropped(), kDumpReports);
    EXPECT_TRUE(host.waitForReports(pedal.reportsSent(), 3000ms));
    EXPECT_FALSE(host.waitForReports(pedal.reportsSent() + 1, 100ms)) << "lost reports never arrive";
    return pedal.reportsDropped();
}

TEST(PedalFaults, PartialDropRateIsRepeatableForASeed) {
    const std::size_t first = droppedWith(7);
    const std::size_t again = droppedWith(7);
    const std::size_t other = droppedWith(8);
    EXPECT_EQ(first, again);
    EXPECT_NE(first, other);
    const double share = static_cast<double>(first) / static_cast<double>(kDumpReports);
    EXPECT_GT(share, 0.2);
    EXPECT_LT(share, 0.3);
}

}  // namespace
}  // namespace pedaltest
