#include "yj_object_tool.h"

namespace quorvex {

int YJObjectTool::ChangePresetName(std::string_view text, std::array<std::uint8_t, 16>& out) {
    out.fill(0);
    int kept = 0;
    for (const char raw : text) {
        if (kept == 15) break;
        char c = raw;
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        const bool allowed = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == ' ';
        if (allowed) out[static_cast<std::size_t>(kept++)] = static_cast<std::uint8_t>(c);
    }
    return kept;
}

}  // namespace quorvex
