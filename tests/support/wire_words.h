#pragma once
#include <cstdint>
#include <vector>

namespace quorvex::testing {

// Values as the link carries module parameters: two bytes each, high byte first.
inline std::vector<std::uint8_t> be16s(const std::vector<std::uint32_t>& values) {
    std::vector<std::uint8_t> bytes;
    for (const std::uint32_t v : values) {
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
        bytes.push_back(static_cast<std::uint8_t>(v));
    }
    return bytes;
}

}  // namespace quorvex::testing
