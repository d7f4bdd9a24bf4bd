#pragma once
#include <cstdint>
#include <optional>

namespace quorvex::settings {

// The tempo of the CTRL/TAP footswitch in beats per minute, and its tap measurement.
// Times are milliseconds since 1970-01-01.
class TapTempo {
public:
    static constexpr std::uint32_t kMinTempo = 40;
    static constexpr std::uint32_t kMaxTempo = 260;

    static std::uint32_t up(std::uint32_t tempo) { return tempo >= kMaxTempo ? kMaxTempo : tempo + 1; }
    static std::uint32_t down(std::uint32_t tempo) { return tempo <= kMinTempo ? kMinTempo : tempo - 1; }

    // One tap at time now. Returns the new tempo, or nothing when the tap only starts a
    // measurement: the first tap, one 2 s or more after the last, or one from a clock
    // that went backwards.
    std::optional<std::uint32_t> tap(double now);

private:
    double TapLastTime_ = 0;
};

}  // namespace quorvex::settings
