#pragma once
#include <iosfwd>
#include <string_view>

namespace quorvex::cli {

// Redraws a one-line progress bar on a terminal: "\r<label> [####....] 42%".
void drawProgress(std::ostream& err, std::string_view label, float progress);

}  // namespace quorvex::cli
