#include "progress_line.h"

#include <algorithm>
#include <ostream>
#include <string>

namespace quorvex::cli {

void drawProgress(std::ostream& err, std::string_view label, float progress) {
    constexpr int kWidth = 30;
    progress = std::clamp(progress, 0.0F, 1.0F);
    const int filled = static_cast<int>(progress * kWidth);
    err << "\r" << label << " [" << std::string(static_cast<std::size_t>(filled), '#')
        << std::string(static_cast<std::size_t>(kWidth - filled), '.') << "] " << static_cast<int>(progress * 100.0F)
        << "%" << std::flush;
}

}  // namespace quorvex::cli
