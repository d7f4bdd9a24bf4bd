#pragma once
#include "frame.h"
#include "rx_ring.h"

#include <array>
#include <cstdint>
#include <functional>

namespace quorvex {

// Reassembles frames from the receive ring. A resynchronising state machine: a bad
// second mark, an oversized length or a wrong check value drops the frame and the
// search restarts at the next 0xAA already read.
class FrameParser {
public:
    using Deliver = std::function<void(const std::uint8_t* frame, std::size_t size)>;

    FrameParser(RxRing& ring, Deliver deliver);

    void reset() { state_ = 0; }
    // Runs state handlers until one leaves the state unchanged.
    void run();

    int state() const { return state_; }

private:
    int step();
    bool read(std::size_t n);

    RxRing& ring_;
    Deliver deliver_;
    std::array<std::uint8_t, kMaxFrameSize> buffer_{};
    std::uint16_t count_ = 0;
    int state_ = 0;
};

}  // namespace quorvex
