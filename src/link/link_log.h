#pragma once
#include <string_view>

namespace quorvex {
// Short diagnostic line for the system log (stderr, which the session journal keeps).
void linkLog(std::string_view line);
}  // namespace quorvex
