#include "virtual_bus_backend.h"

#include "link_log.h"

#include "virtual_bus.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace quorvex {

using namespace std::chrono_literals;

namespace {
constexpr auto kDescriptorWait = 2000ms;  // a device sends its descriptor right after accepting
constexpr auto kFirstRetry = 50ms;        // a socket bound but not yet listening, or stale
constexpr auto kMaxRetry = 1000ms;
constexpr auto kReplugRetry = 200ms;      // a device that dropped us but still listens may take us back
constexpr auto kWatchRetry = 500ms;       // folder missing or not watchable: look again this often
constexpr auto kWriteWait = 1000ms;       // a device that does not read refuses our reports after this
constexpr int kDatagramsPerTurn = 256;    // datagrams read from one device per turn, for fairness
}  // namespace

struct VirtualBusBackend::Connection {
    Connection(std::string socketPath, int socketFd) : path(std::move(socketPath)), fd(socketFd) {}
    const std::string path;
    std::mutex mutex;  // guards fd and opened against writers on other threads
    int fd;
    bool opened = false;
    // Touched by the run() thread only.
    bool described = false;
    bool matching = false;
    DeviceInfo info;
    Clock::time_point descriptorDeadline;
};

VirtualBusBackend::VirtualBusBackend(std::string busDir)
    : busDir_(std::move(busDir)), stopFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

VirtualBusBackend::~VirtualBusBackend() {
    dropAll();
    if (stopFd_ >= 0) ::close(stopFd_);
}

void VirtualBusBackend::stop() {
    stopRequested_ = true;
    if (stopFd_ >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto n = ::write(stopFd_, &one, sizeof one);
    }
}

void VirtualBusBackend::run(const DeviceMatch& match, HidBackendListener& listener) {
    match_ = match;
    listener_ = &listener;
    inotifyFd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    watch_ = -1;
    watchFolder();

    std::vector<pollfd> fds;
    std::vector<std::shared_ptr<Connection>> polled;
    while (!stopRequested_) {
        fds.clear();
        polled.clear();
        fds.push_back({stopFd_, POLLIN, 0});
        fds.push_back({watch_ >= 0 ? inotifyFd_ : -1, POLLIN, 0});  // poll skips negative fds
        for (const auto& connection : connections_) {
            fds.push_back({connection->fd, POLLIN | POLLRDHUP, 0});
            polled.push_back(connection);
        }
        const int ready = ::poll(fds.data(), fds.size(), pollTimeout());
        if (ready < 0 && errno != EINTR) {
            transportWarning(std::string("vbus: poll failed: ") + std::strerror(errno));
            ::usleep(100'000);
            continue;
        }
        if (stopRequested_) break;
        if (ready > 0) {
            for (std::size_t i = 0; i < polled.size(); ++i)
                if (fds[i + 2].revents != 0) service(polled[i], fds[i + 2].revents);
            if (fds[1].revents != 0) readFolderEvents();
        }
        expireDescriptorWaits();
        if (watch_ < 0 && Clock::now() >= nextWatchAttempt_) watchFolder();
        connectDue();
    }

    // Leave quietly: no removals are announced for a bus that is no longer run.
    dropAll();
    retries_.clear();
    if (inotifyFd_ >= 0) ::close(inotifyFd_);
    inotifyFd_ = -1;
    watch_ = -1;
    listener_ = nullptr;
    std::uint64_t count = 0;
    [[maybe_unused]] const auto n = ::read(stopFd_, &count, sizeof count);
    stopRequested_ = false;
}

void VirtualBusBackend::watchFolder() {
    nextWatchAttempt_ = Clock::now() + kWatchRetry;
    ::mkdir(busDir_.c_str(), 0755);
    if (inotifyFd_ >= 0) {
        constexpr std::uint32_t kEvents = IN_CREATE | IN_MOVED_TO | IN_ATTRIB | IN_DELETE | IN_MOVED_FROM |
                                         IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
        watch_ = ::inotify_add_watch(inotifyFd_, busDir_.c_str(), kEvents);
    }
    // Without a watch the folder is scanned again every kWatchRetry.
    scanFolder();
}

void VirtualBusBackend::scanFolder() {
    DIR* dir = ::opendir(busDir_.c_str());
    if (!dir) return;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') continue;  // hidden names are sockets still being set up
        if (entry->d_type == DT_SOCK || entry->d_type == DT_UNKNOWN) names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());  // a stable order for devices present at start
    for (const auto& name : names) {
        const std::string path = busDir_ + "/" + name;
        if (!retries_.contains(path)) schedule(path, 0ms);
    }
}

void VirtualBusBackend::readFolderEvents() {
    alignas(inotify_event) char buffer[4096];
    bool rescan = false;
    bool lost = false;
    for (;;) {
        const ssize_t n = ::read(inotifyFd_, buffer, sizeof buffer);
        if (n <= 0) break;
        for (const char* p = buffer; p < buffer + n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            p += sizeof(inotify_event) + event->len;
            if (event->mask & IN_Q_OVERFLOW) {
                rescan = true;
                continue;
            }
            if (event->wd != watch_) continue;  // left over from an earlier watch
            if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
                lost = true;
                continue;
            }
            if (event->len == 0 || event->name[0] == '.') continue;
            const std::string path = busDir_ + "/" + event->name;
            if (event->mask & (IN_DELETE | IN_MOVED_FROM))
                retries_.erase(path);
            else
                schedule(path, 0ms);
        }
    }
    if (lost) {
        // The folder went away or moved: existing connections live on, the folder is
        // looked for again periodically.
        ::inotify_rm_watch(inotifyFd_, watch_);
        watch_ = -1;
        nextWatchAttempt_ = Clock::now() + kWatchRetry;
    } else if (rescan) {
        scanFolder();
    }
}

void VirtualBusBackend::schedule(const std::string& path, std::chrono::milliseconds delay) {
    retries_[path] = Retry{Clock::now() + delay, std::max(delay, kFirstRetry)};
}

void VirtualBusBackend::connectDue() {
    const auto now = Clock::now();
    std::vector<std::string> due;
    for (const auto& [path, retry] : retries_)
        if (retry.due <= now) due.push_back(path);
    for (const auto& path : due) tryConnect(path);
}

void VirtualBusBackend::tryConnect(const std::string& path) {
    struct stat status {};
    sockaddr_un address{};
    if (find(path) || ::stat(path.c_str(), &status) != 0 || !S_ISSOCK(status.st_mode)) {
        retries_.erase(path);  // connected already, gone, or not a socket at all
        return;
    }
    if (path.size() >= sizeof address.sun_path) {
        transportWarning("vbus: socket path too long, ignored: " + path);
        retries_.erase(path);
        return;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);

    const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    const int result = fd < 0 ? -1 : ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    if (result != 0) {
        const int error = errno;
        if (fd >= 0) ::close(fd);
        // Refused: nobody listens (yet, or any more); EAGAIN: the device's backlog is full.
        if (fd < 0 || error == ECONNREFUSED || error == EAGAIN || error == EINTR) {
            Retry& retry = retries_[path];
            retry.backoff = std::min(retry.backoff * 2, std::chrono::milliseconds(kMaxRetry));
            retry.due = Clock::now() + retry.backoff;
        } else {
            retries_.erase(path);  // not a packet socket, no access, ...: wait for the file to change
        }
        return;
    }
    retries_.erase(path);
    auto connection = std::make_shared<Connection>(path, fd);
    connection->descriptorDeadline = Clock::now() + kDescriptorWait;
    std::lock_guard lock(connectionsMutex_);
    connections_.push_back(std::move(connection));
}

void VirtualBusBackend::service(const std::shared_ptr<Connection>& connection, short revents) {
    std::uint8_t buffer[2048];  // reports are 64 bytes; longer datagrams arrive cut, still not 64
    for (int i = 0; i < kDatagramsPerTurn && connection->fd >= 0; ++i) {
        const ssize_t n = ::recv(connection->fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0) {
            handleDatagram(connection, buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        if (n == 0 && !(revents & (POLLHUP | POLLRDHUP | POLLERR))) continue;  // an empty datagram
        // The device closed its end: unplugged. If its socket still listens, it may take a
        // new connection, which then counts as plugging in again.
        drop(connection, connection->described ? kReplugRetry : kFirstRetry);
        return;
    }
}

void VirtualBusBackend::handleDatagram(const std::shared_ptr<Connection>& connection, const std::uint8_t* data,
                                       std::size_t len) {
    if (!connection->described) {
        const auto descriptor = vbus::decodeDescriptor({data, len});
        if (!descriptor) {
            transportWarning("vbus: " + connection->path + " sent no valid descriptor, ignored");
            drop(connection, std::nullopt);
            return;
        }
        connection->info = DeviceInfo{connection->path, descriptor->vendor, descriptor->product,
                                      descriptor->release, descriptor->name};
        connection->described = true;
        connection->matching = match_.matches(connection->info);
        if (connection->matching) listener_->deviceMatched(connection->info);
        return;
    }
    bool opened;
    {
        std::lock_guard lock(connection->mutex);
        opened = connection->opened;
    }
    if (opened) listener_->inputReport(connection->path, data, len);  // unopened: read and dropped
}

void VirtualBusBackend::expireDescriptorWaits() {
    const auto now = Clock::now();
    std::vector<std::shared_ptr<Connection>> expired;
    for (const auto& connection : connections_)
        if (!connection->described && now >= connection->descriptorDeadline) expired.push_back(connection);
    for (const auto& connection : expired) {
        // Probably a device busy with another host; our connection waits in its backlog.
        drop(connection, std::chrono::milliseconds(kMaxRetry));
    }
}

void VirtualBusBackend::drop(const std::shared_ptr<Connection>& connection,
                             std::optional<std::chrono::milliseconds> retryAfter) {
    {
        std::lock_guard lock(connection->mutex);  // waits for a write in progress
        if (connection->fd >= 0) ::close(connection->fd);
        connection->fd = -1;
        connection->opened = false;
    }
    {
        std::lock_guard lock(connectionsMutex_);
        std::erase(connections_, connection);
    }
    if (retryAfter) schedule(connection->path, *retryAfter);
    if (connection->described && connection->matching) listener_->deviceRemoved(connection->info);
}

void VirtualBusBackend::dropAll() {
    std::lock_guard listLock(connectionsMutex_);
    for (const auto& connection : connections_) {
        std::lock_guard lock(connection->mutex);
        if (connection->fd >= 0) ::close(connection->fd);
        connection->fd = -1;
        connection->opened = false;
    }
    connections_.clear();
}

int VirtualBusBackend::pollTimeout() const {
    auto next = Clock::time_point::max();
    for (const auto& [path, retry] : retries_) next = std::min(next, retry.due);
    for (const auto& connection : connections_)
        if (!connection->described) next = std::min(next, connection->descriptorDeadline);
    if (watch_ < 0) next = std::min(next, nextWatchAttempt_);

    int timeout = -1;
    if (next != Clock::time_point::max()) {
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now()).count();
        timeout = static_cast<int>(std::clamp<decltype(wait)>(wait, 0, 60'000));
    }
    if (stopFd_ < 0 && (timeout < 0 || timeout > 50)) timeout = 50;  // no eventfd: look at the flag
    return timeout;
}

std::shared_ptr<VirtualBusBackend::Connection> VirtualBusBackend::find(const std::string& path) {
    std::lock_guard lock(connectionsMutex_);
    for (const auto& connection : connections_)
        if (connection->path == path) return connection;
    return nullptr;
}

std::vector<DeviceInfo> VirtualBusBackend::copyDevices() {
    std::vector<DeviceInfo> devices;
    std::lock_guard lock(connectionsMutex_);
    for (const auto& connection : connections_)
        if (connection->described && connection->matching) devices.push_back(connection->info);
    return devices;
}

OpenResult VirtualBusBackend::open(const std::string& path) {
    const auto connection = find(path);
    if (!connection || !connection->described) return OpenResult::NotFound;
    std::lock_guard lock(connection->mutex);
    if (connection->fd < 0) return OpenResult::NotFound;
    connection->opened = true;
    return OpenResult::Ok;
}

void VirtualBusBackend::close(const std::string& path) {
    if (const auto connection = find(path)) {
        std::lock_guard lock(connection->mutex);
        connection->opened = false;
    }
}

bool VirtualBusBackend::writeReport(const std::string& path, const Report& report) {
    const auto connection = find(path);
    if (!connection) return false;
    std::lock_guard lock(connection->mutex);  // the run() thread cannot close the fd meanwhile
    if (connection->fd < 0 || !connection->opened) return false;
    const auto deadline = Clock::now() + kWriteWait;
    for (;;) {
        const ssize_t n = ::send(connection->fd, report.data(), report.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n == static_cast<ssize_t>(report.size())) return true;
        if (n >= 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) return false;
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd p{connection->fd, POLLOUT, 0};
        ::poll(&p, 1, static_cast<int>(left));
    }
}

}  // namespace quorvex
