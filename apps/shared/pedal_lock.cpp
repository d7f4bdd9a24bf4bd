#include "pedal_lock.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvex {
namespace {

// Without a runtime folder the lock lives in a folder of the temporary folder that only this
// user may enter, so that nobody else can make or hold its lock file first. The reason
// when the folder there is not such a one; nothing when it is, or when it cannot be made
// (the lock file then cannot be either).
std::string checkPrivateFolder(const std::string& folder) {
    ::mkdir(folder.c_str(), 0700);
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) return {};
    if (!S_ISDIR(st.st_mode)) return folder + " is not a folder";
    if (st.st_uid != ::getuid()) return folder + " belongs to another user";
    if ((st.st_mode & 07777) != 0700) {
        std::ostringstream mode;
        mode << std::oct << (st.st_mode & 07777);
        return folder + " has mode " + mode.str() + ", not 700";
    }
    return {};
}

std::string lockName(const std::string& busDir) {
    if (busDir.empty()) return "quorvex-usb.lock";
    // One folder, however it is spelt, is one pedal.
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::weakly_canonical(busDir, ec);
    if (ec) folder = std::filesystem::absolute(busDir, ec).lexically_normal();
    if (!folder.has_filename()) folder = folder.parent_path();
    std::ostringstream name;
    name << "quorvex-bus-" << std::hex << std::hash<std::string>{}(folder.string()) << ".lock";
    return name.str();
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

PedalLock::PedalLock(const std::string& program, const std::string& busDir) {
    std::string folder;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime) {
        folder = runtime;
    } else {
        std::error_code ec;
        const std::filesystem::path temp = std::filesystem::temp_directory_path(ec);
        folder = (ec ? std::filesystem::path("/tmp") : temp).string() + "/quorvex-" + std::to_string(::getuid());
        if (const std::string unsafe = checkPrivateFolder(folder); !unsafe.empty()) {
            refusal_ = "The QUORVEX III cannot be guarded against a second program safely: " + unsafe +
                       ". Set XDG_RUNTIME_DIR to a folder of your own, or have " + folder + " removed, then try again.";
            return;
        }
    }
    path_ = folder + "/" + lockName(busDir);
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        // Without a lock file the programs still work, only unguarded.
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        std::string holder = readAll(fd);
        if (holder.empty()) holder = "another program";
        refusal_ = "The QUORVEX III is in use by " + holder + ". Close it, then try again.";
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

}  // namespace quorvex
