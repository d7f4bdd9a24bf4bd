#include "report_pacer.h"

#include <algorithm>
#include <thread>

namespace quorvex::pedal {

void ReportPacer::takeSlot() {
    if (!paced_) return;
    const auto now = Clock::now();
    if (!running_) {
        next_ = std::max(next_, now);
        running_ = true;
    } else if (now >= next_ + kSlot) {
        next_ = now;  // slots that passed unused are gone
    }
    std::this_thread::sleep_until(next_);
    next_ += kSlot;
}

void ReportPacer::idle() { running_ = false; }

void ReportPacer::markUsed() {
    if (!paced_) return;
    next_ = std::max(next_, Clock::now() + kSlot);
    running_ = false;
}

std::chrono::microseconds ReportPacer::untilNextSlot() const {
    if (!paced_) return std::chrono::microseconds(0);
    const auto now = Clock::now();
    if (next_ <= now) return std::chrono::microseconds(0);
    return std::chrono::duration_cast<std::chrono::microseconds>(next_ - now);
}

}  // namespace quorvex::pedal
