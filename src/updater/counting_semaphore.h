#pragma once
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace quorvex::updater {

// A counting semaphore whose wait gives up after a time-out. A signal that nobody waits
// for is kept, so a reply that comes late is consumed by the next wait.
class CountingSemaphore {
public:
    void signal() {
        {
            std::lock_guard lock(mutex_);
            ++count_;
        }
        changed_.notify_one();
    }
    // True when a signal was taken within the time-out.
    bool wait(std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        if (!changed_.wait_for(lock, timeout, [this] { return count_ > 0; })) return false;
        --count_;
        return true;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    long count_ = 0;
};

}  // namespace quorvex::updater
