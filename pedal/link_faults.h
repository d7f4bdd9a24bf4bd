#pragma once
#include <cstdint>
#include <vector>

namespace quorvex::pedal {

// Faults of the pedal's sending side, drawn from a seeded generator so that a run can
// be repeated. A rate of 0 never draws, a rate of 1 always hits.
class LinkFaults {
public:
    LinkFaults(double dropRate, double corruptRate, std::uint32_t seed);

    // True when the next outgoing report is to be lost.
    bool dropReport();
    // Flips the high byte of the frame's check value when the next frame is to arrive
    // damaged. Returns whether it did.
    bool maybeCorrupt(std::vector<std::uint8_t>& frame);

private:
    bool hit(double rate);

    double dropRate_;
    double corruptRate_;
    std::uint64_t state_;
};

}  // namespace quorvex::pedal
