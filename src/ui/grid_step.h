#pragma once
#include <algorithm>
#include <cstdint>

namespace quorvex::ui {

// A stored value moved `steps` steps of `unit` within low..high, as the keyboard moves a
// slider's value; a value beyond an end steps from that end.
constexpr std::uint32_t steppedOnGrid(std::uint32_t value, int steps, long low, long high, long unit = 1) {
    const long from = std::clamp<long>(value, low, high);
    return static_cast<std::uint32_t>(std::clamp<long>(from + steps * unit, low, high));
}

}  // namespace quorvex::ui
