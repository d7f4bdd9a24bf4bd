#include "send_ring.h"

namespace quorvex {

std::size_t SendRing::tick(CommandEncoder& encoder, std::uint8_t* frame, bool paced) {
    const std::uint8_t step = kSchedulerRing[step_];
    pass(1);
    if (const std::size_t length = encoder.buildFrame(step, frame); length > 0 || paced) return length;
    for (const std::uint8_t command : kAnsweredTransfers) {
        if (const std::size_t length = encoder.buildFrame(command, frame); length > 0) return length;
    }
    return 0;
}

}  // namespace quorvex
