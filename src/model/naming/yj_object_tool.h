#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace quorvex {

// The one rule that turns any text (UTF-8) into a preset name: upper case, only digits,
// space and A..Z, at most 15 characters, zero-terminated in 16 bytes.
class YJObjectTool {
public:
    // Writes the name field and returns how many characters were kept (0..15).
    static int ChangePresetName(std::string_view text, std::array<std::uint8_t, 16>& out);
};

}  // namespace quorvex
