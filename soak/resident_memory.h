#pragma once
#include <cstdint>

namespace quorvex::soak {

// The process's resident set in bytes, from /proc/self/statm; 0 when it cannot be read.
std::uint64_t residentBytes();
// The bytes the allocator has handed out and not yet taken back, in all its pools: the
// resident set without the allocator's free blocks, so growth here is memory kept.
std::uint64_t heapInUse();

}  // namespace quorvex::soak
