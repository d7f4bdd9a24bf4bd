#include "link_faults.h"

#include "frame.h"

namespace quorvex::pedal {

LinkFaults::LinkFaults(double dropRate, double corruptRate, std::uint32_t seed)
    : dropRate_(dropRate), corruptRate_(corruptRate), state_(0x853C49E6748FEA9Bull ^ seed) {}

bool LinkFaults::hit(double rate) {
    if (rate <= 0.0) return false;
    if (rate >= 1.0) return true;
    // splitmix64: the same sequence on every platform and library.
    state_ += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    const double unit = static_cast<double>(z >> 11) * 0x1.0p-53;  // 0 <= unit < 1
    return unit < rate;
}

bool LinkFaults::dropReport() { return hit(dropRate_); }

bool LinkFaults::maybeCorrupt(std::vector<std::uint8_t>& frame) {
    if (frame.size() < kFrameOverhead || !hit(corruptRate_)) return false;
    frame[frame.size() - 2] ^= 0xFF;
    return true;
}

}  // namespace quorvex::pedal
