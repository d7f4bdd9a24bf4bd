#include "yj_object_tool.h"

#include <QString>

namespace quorvex {

int YJObjectTool::ChangePresetName(std::string_view text, std::array<std::uint8_t, 16>& out) {
    out.fill(0);
    // Full Unicode upper-casing first, so that "ß" becomes "SS" and "é" becomes "É"
    // (which the filter then drops) instead of letters slipping through unchanged.
    const QString upper = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUpper();
    int kept = 0;
    for (const QChar c : upper) {
        if (kept == 15) break;
        const char16_t u = c.unicode();
        const bool allowed = (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || u == ' ';
        if (allowed) out[static_cast<std::size_t>(kept++)] = static_cast<std::uint8_t>(u);
    }
    return kept;
}

}  // namespace quorvex
