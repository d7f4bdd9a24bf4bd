#include "level_texts.h"

#include <algorithm>
#include <array>

namespace quorvex::settings {

std::uint32_t levelIndex(double sliderValue) {
    return static_cast<std::uint32_t>(std::clamp(sliderValue, 0.0, 1.0) * kLevelSteps);
}

QString levelText(std::uint32_t index) {
    static const std::array<const char*, kLevelSteps + 1> texts = {
        "-\u221EdB", "-60dB", "-45dB", "-35dB", "-30dB", "-25dB", "-20dB", "-10dB", "-05dB", "0dB",   "0.5dB",
        "1.0dB",    "1.5dB", "2.0dB", "2.5dB", "3.0dB", "3.5dB", "4.0dB", "4.5dB", "5.0dB", "5.5dB", "6.0dB"};
    return QString::fromUtf8(texts[std::min(index, kLevelSteps)]);
}

}  // namespace quorvex::settings
