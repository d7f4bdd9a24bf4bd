#include "link_log.h"

#include <cstdio>
#include <mutex>

namespace quorvex {

void linkLog(std::string_view line) {
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    std::fprintf(stderr, "quorvex: %.*s\n", static_cast<int>(line.size()), line.data());
}

}  // namespace quorvex
