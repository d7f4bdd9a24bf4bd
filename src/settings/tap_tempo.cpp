#include "tap_tempo.h"

namespace quorvex::settings {

std::optional<std::uint32_t> TapTempo::tap(double now) {
    const auto interval = static_cast<std::int64_t>(now - TapLastTime_);
    TapLastTime_ = now;
    if (interval < 0 || interval >= 2000) return std::nullopt;
    // Short intervals are capped before the division, so it never divides by a tiny one.
    if (interval < 230) return kMaxTempo;
    if (interval > 1500) return kMinTempo;
    return static_cast<std::uint32_t>(60000 / interval);
}

}  // namespace quorvex::settings
