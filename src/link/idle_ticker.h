#pragma once
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>

namespace quorvex {

// The 10 ms tick of a link loop that may rest while it has nothing to do. A loop that
// rests resumes on the tick it would have reached had it kept ticking (each tick one tick
// after the end of the previous one), so it acts exactly when a loop that never rests
// would, while using no processor in between.
class IdleTicker {
public:
    using Clock = std::chrono::steady_clock;

    explicit IdleTicker(std::chrono::milliseconds tick) : tick_(tick) {}

    // Sleeps one tick; false once stopped.
    bool sleepTick();
    // Rests until a wake() later than the one numbered `seen` (see wakes()), then sleeps
    // on to the first tick at or after that wake. Returns how many ticks went by since the
    // call, counting the one it wakes on (at least 1), or 0 once stopped.
    std::size_t restUntilWoken(std::uint64_t seen);

    // There is work, or there may be; any thread.
    void wake();
    // Counts the wakes so far, so that a loop can tell whether one came meanwhile.
    std::uint64_t wakes() const;
    // Ends every sleep and rest for good; any thread.
    void stop();
    bool stopped() const;

private:
    bool sleepUntil(std::unique_lock<std::mutex>& lock, Clock::time_point when);

    const Clock::duration tick_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::uint64_t wakes_ = 0;
    bool stopped_ = false;
};

}  // namespace quorvex
