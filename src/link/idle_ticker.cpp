#include "idle_ticker.h"

#include <algorithm>

namespace quorvex {

bool IdleTicker::sleepUntil(std::unique_lock<std::mutex>& lock, Clock::time_point when) {
    return !changed_.wait_until(lock, when, [this] { return stopped_; });
}

bool IdleTicker::sleepTick() {
    std::unique_lock lock(mutex_);
    return sleepUntil(lock, Clock::now() + tick_);
}

std::size_t IdleTicker::restUntilWoken(std::uint64_t seen) {
    const auto start = Clock::now();  // a loop that kept ticking would tick at start + n ticks
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stopped_ || wakes_ != seen; });
    if (stopped_) return 0;
    const auto late = Clock::now() - start;
    const auto ticks = static_cast<std::size_t>(std::max<Clock::rep>(1, (late + tick_ - Clock::duration(1)) / tick_));
    return sleepUntil(lock, start + ticks * tick_) ? ticks : 0;
}

void IdleTicker::wake() {
    {
        std::lock_guard lock(mutex_);
        ++wakes_;
    }
    changed_.notify_all();
}

std::uint64_t IdleTicker::wakes() const {
    std::lock_guard lock(mutex_);
    return wakes_;
}

void IdleTicker::stop() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
}

bool IdleTicker::stopped() const {
    std::lock_guard lock(mutex_);
    return stopped_;
}

}  // namespace quorvex
