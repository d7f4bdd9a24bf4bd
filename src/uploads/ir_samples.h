#pragma once
#include <cstdint>
#include <span>

namespace quorvex {

// The pedal's impulse-response samples: a signed 24-bit value in the low 24 bits of a
// 32-bit word, bits 24..31 zero. Full scale is 2^23.
inline constexpr std::uint32_t kSampleMask = 0xFFFFFF;
inline constexpr float kFullScale = 8388608.0f;

// The 24-bit pattern of a signed value (its low 24 bits).
constexpr std::uint32_t samplePattern(std::int32_t value) { return static_cast<std::uint32_t>(value) & kSampleMask; }
// The signed value of a 24-bit pattern.
constexpr std::int32_t sampleValue(std::uint32_t pattern) {
    return (pattern & 0x800000) ? static_cast<std::int32_t>(pattern & kSampleMask) - 0x1000000
                                : static_cast<std::int32_t>(pattern & kSampleMask);
}

// A float sample (full scale ±1.0) as a 24-bit pattern. ±1.0 and anything beyond is
// held to ±0.999999 so that it stays inside the 24-bit range; a value that is not a
// number counts as silence.
std::uint32_t floatToSample(float v);

// Linear resampling of x to y.size() outputs: output k lies at input position
// k × (1 + step), accumulated in single precision as the pedal's own tools do.
// x must hold one sample beyond the last position reached.
void resampleLinear(std::span<const float> x, float step, std::span<float> y);

}  // namespace quorvex
