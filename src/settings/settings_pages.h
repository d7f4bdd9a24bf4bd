#pragma once
#include <cstdint>

namespace quorvex::settings {

// The pedal's screen pages of the settings, as the focus messages name them.
inline constexpr std::uint32_t kSystemPage = 11, kExpPage = 15, kCtrlPage = 16;

}  // namespace quorvex::settings
