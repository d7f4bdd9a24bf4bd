#include "resident_memory.h"

#include <fstream>

#include <malloc.h>
#include <unistd.h>

namespace quorvex::soak {

std::uint64_t residentBytes() {
    // statm: total program size, then the resident pages.
    std::ifstream statm("/proc/self/statm");
    std::uint64_t size = 0;
    std::uint64_t resident = 0;
    if (!(statm >> size >> resident)) return 0;
    return resident * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
}

std::uint64_t heapInUse() {
    const struct mallinfo2 info = ::mallinfo2();
    return info.uordblks + info.hblkhd;
}

}  // namespace quorvex::soak
