#include "pedal_lock.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace quorvex {
namespace {

std::string lockPath(const std::string& busDir) {
    std::string key = "usb";
    if (!busDir.empty()) {
        // One folder, however it is spelt, is one pedal.
        std::error_code ec;
        std::filesystem::path folder = std::filesystem::weakly_canonical(busDir, ec);
        if (ec) folder = std::filesystem::absolute(busDir, ec).lexically_normal();
        if (!folder.has_filename()) folder = folder.parent_path();
        std::ostringstream hex;
        hex << "bus-" << std::hex << std::hash<std::string>{}(folder.string());
        key = hex.str();
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return std::string(runtime) + "/quorvex-" + key + ".lock";
    return "/tmp/quorvex-" + std::to_string(::getuid()) + "-" + key + ".lock";
}

std::string readAll(int fd) {
    std::string text;
    char buffer[256];
    ::lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
    while (!text.empty() && (text.back() == '\n' || text.back() == '\0')) text.pop_back();
    return text;
}

}  // namespace

PedalLock::PedalLock(const std::string& program, const std::string& busDir) : path_(lockPath(busDir)) {
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        // Without a lock file the programs still work, only unguarded.
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        holder_ = readAll(fd);
        if (holder_.empty()) holder_ = "another program";
        ::close(fd);
        return;
    }
    // The name is only for the message of a second program: failing to write it is no fault.
    const std::string name = program + "\n";
    [[maybe_unused]] const bool named = ::ftruncate(fd, 0) == 0 && ::write(fd, name.data(), name.size()) > 0;
    fd_ = fd;
}

PedalLock::~PedalLock() { release(); }

void PedalLock::release() {
    if (fd_ < 0) return;
    [[maybe_unused]] const int cleared = ::ftruncate(fd_, 0);
    ::close(fd_);  // closing drops the lock
    fd_ = -1;
}

std::string pedalInUseText(const std::string& holder) {
    return "The QUORVEX III is in use by " + holder + ". Close it, then try again.";
}

}  // namespace quorvex
