#pragma once
#include <chrono>

namespace quorvex::pedal {

// The timing of a full-speed USB interrupt endpoint: at most one report per
// millisecond slot. Slot k of a run lies at the run's start + k ms; a slot that has
// passed is not made up later. When the line goes idle the grid starts again with the
// next report.
class ReportPacer {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::microseconds kSlot{1000};

    explicit ReportPacer(bool paced) : paced_(paced) {}

    // Waits for the next free slot and takes it.
    void takeSlot();
    // The line is idle: the next slot starts a new grid, but not before one slot after
    // the last one taken.
    void idle();
    // A report was taken in at this moment outside takeSlot(): it used the current slot.
    void markUsed();
    // Time to wait before the next slot (zero when it is due or pacing is off).
    std::chrono::microseconds untilNextSlot() const;

    bool paced() const { return paced_; }

private:
    bool paced_;
    bool running_ = false;
    Clock::time_point next_{};
};

}  // namespace quorvex::pedal
