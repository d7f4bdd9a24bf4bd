// Pacing as on a full-speed USB interrupt endpoint: at most one report per millisecond
// each way. Only lower bounds are checked; a loaded machine may always be slower.
#include "pedal_host.h"

#include <gtest/gtest.h>

namespace pedaltest {
namespace {

using quorvex::pedal::VirtualPedal;

TEST(PedalPacing, PresetDumpTakesAtLeastOneMillisecondPerReport) {
    TempBus bus;
    VirtualPedal pedal(bus.dir(), quorvex::pedal::PedalOptions{});
    ASSERT_TRUE(pedal.start());
    TestHost host(pedal.socketPath());
    host.greet();
    host.send(0, {0});
    ASSERT_TRUE(host.next());
    const std::size_t before = host.reportCount();

    const auto sent = Clock::now();
    host.send(224);
    ASSERT_TRUE(host.nextWith(165));
    const auto records = host.take(299, 20000ms);
    ASSERT_EQ(records.size(), 299u);
    const auto reports = host.reports();
    const std::size_t count = reports.size() - before;
    const auto elapsed = reports.back().at - sent;
    EXPECT_GE(count, 2700u);
    EXPECT_GE(elapsed, std::chrono::milliseconds(count));
}

TEST(PedalPacing, HostReportsAreTakenAtMostOnePerMillisecond) {
    TempBus bus;
    VirtualPedal pedal(bus.dir(), quorvex::pedal::PedalOptions{});
    ASSERT_TRUE(pedal.start());
    TestHost host(pedal.socketPath());
    ASSERT_TRUE(host.connected());
    for (int i = 0; i < 300 && pedal.sessions() == 0; ++i) std::this_thread::sleep_for(10ms);

    constexpr std::size_t kFrames = 100;  // one report each
    const auto first = Clock::now();
    for (std::size_t i = 0; i < kFrames; ++i) host.send(130, {static_cast<std::uint8_t>(i), 0});
    ASSERT_TRUE(pedal.waitForCommand(130, 10000ms, kFrames));
    EXPECT_GE(Clock::now() - first, std::chrono::milliseconds(kFrames - 1));
    EXPECT_EQ(pedal.settings().focus[0], kFrames - 1);
}

TEST(PedalPacing, UnpacedPedalDeliversTheSameFrames) {
    TempBus bus;
    VirtualPedal pedal(bus.dir(), fastOptions());
    ASSERT_TRUE(pedal.start());
    TestHost host(pedal.socketPath());
    host.startLink();
    EXPECT_EQ(host.take(320, 20000ms).size(), 320u);
}

}  // namespace
}  // namespace pedaltest
