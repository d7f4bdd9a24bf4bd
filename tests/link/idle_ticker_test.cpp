// The resting tick: a rest ends on the tick a never-resting loop would have reached, and
// stop() ends every sleep.
#include "idle_ticker.h"

#include <gtest/gtest.h>

#include <future>
#include <thread>

namespace quorvex {
namespace {

using namespace std::chrono_literals;
using Clock = IdleTicker::Clock;

TEST(IdleTicker, RestEndsOnTheTickAfterTheWake) {
    IdleTicker ticker(20ms);
    const auto before = Clock::now();
    auto rest = std::async(std::launch::async, [&] { return ticker.restUntilWoken(ticker.wakes()); });
    std::this_thread::sleep_for(50ms);
    ticker.wake();
    const std::size_t ticks = rest.get();
    const auto after = Clock::now();
    EXPECT_GE(ticks, 3u);                     // 50 ms at 20 ms a tick: the third tick at the earliest
    EXPECT_GE(after - before, ticks * 20ms);  // and not before that tick
}

TEST(IdleTicker, AWakeBeforeTheRestIsNotLost) {
    IdleTicker ticker(10ms);
    const std::uint64_t seen = ticker.wakes();
    ticker.wake();
    EXPECT_EQ(ticker.restUntilWoken(seen), 1u);
}

TEST(IdleTicker, StopEndsRestAndSleep) {
    IdleTicker ticker(10ms);
    auto rest = std::async(std::launch::async, [&] { return ticker.restUntilWoken(ticker.wakes()); });
    ticker.stop();
    EXPECT_EQ(rest.get(), 0u);
    EXPECT_FALSE(ticker.sleepTick());
}

}  // namespace
}  // namespace quorvex
