#pragma once
#include <cstdint>

namespace quorvex::soak {

// The process's resident set in bytes, from /proc/self/statm; 0 when it cannot be read.
std::uint64_t residentBytes();

}  // namespace quorvex::soak
