#include "ir_samples.h"

#include <cmath>

namespace quorvex {

std::uint32_t floatToSample(float v) {
    constexpr float kLimit = 0.999999f;  // 0x3F7FFFEF
    if (std::isnan(v)) return 0;
    if (v >= 1.0f) v = kLimit;
    if (v <= -1.0f) v = -kLimit;
    const auto t = static_cast<std::int32_t>(v * kFullScale);  // truncates toward zero
    return t >= 0 ? static_cast<std::uint32_t>(t) : ((static_cast<std::uint32_t>(t) & 0x7FFFFF) | 0x800000);
}

void resampleLinear(std::span<const float> x, float step, std::span<float> y) {
    if (y.empty() || x.empty()) return;
    y[0] = x[0];
    std::size_t p = 1;
    float f = 0.0f;
    for (std::size_t k = 1; k < y.size(); ++k) {
        f += step;
        while (f >= 1.0f) {
            f -= 1.0f;
            ++p;
        }
        if (p + 1 >= x.size()) return;  // the rest stays as it is (never reached for the pedal's rates)
        y[k] = x[p] + (x[p + 1] - x[p]) * f;
        ++p;
    }
}

}  // namespace quorvex
