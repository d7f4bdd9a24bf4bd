#pragma once
#include <QString>

#include <cstdint>

namespace quorvex::settings {

// The pedal's output level: 22 steps from silence to +6 dB, stored as the step index.
inline constexpr std::uint32_t kLevelSteps = 21;  // the slider's travel, index 0..21

// The level slider at 0.0..1.0 as a step index (truncated, 0..21).
std::uint32_t levelIndex(double sliderValue);
// The read-out of a step; an index above 21 reads as the top step.
QString levelText(std::uint32_t index);

}  // namespace quorvex::settings
