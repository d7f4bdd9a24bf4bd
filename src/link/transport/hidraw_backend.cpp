#include "hidraw_backend.h"

#include "link_log.h"

#include <QString>

#include <hidapi/hidapi.h>
#include <libudev.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace quorvex {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {
constexpr auto kRescanPeriod = 500ms;      // without udev events
constexpr auto kErrorRescanGap = 100ms;    // after a failed read, at most this often
constexpr auto kPermissionWait = 2000ms;
constexpr auto kPermissionRetry = 100ms;
constexpr int kReportsPerTurn = 64;        // reports read from one device per turn
constexpr std::size_t kMaxInputReport = 1024;  // room for any report a device might send

std::string utf8(const wchar_t* text) { return text ? QString::fromWCharArray(text).toStdString() : std::string(); }

// Whether the process may read and write a node (Ok), and otherwise why not.
OpenResult nodeAccess(const std::string& path) {
    if (::faccessat(AT_FDCWD, path.c_str(), R_OK | W_OK, AT_EACCESS) == 0) return OpenResult::Ok;
    if (errno == ENOENT || errno == ENOTDIR) return OpenResult::NotFound;
    if (errno == EACCES || errno == EPERM) return OpenResult::NoPermission;
    return OpenResult::Failed;
}

// Reports are written into the node as they are, so check through sysfs that the
// character device belongs to the hidraw subsystem before opening it.
bool isHidrawNode(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISCHR(status.st_mode)) return false;
    char link[64];
    std::snprintf(link, sizeof link, "/sys/dev/char/%u:%u/subsystem", major(status.st_rdev), minor(status.st_rdev));
    char target[PATH_MAX];
    return ::realpath(link, target) && std::string_view(target).ends_with("/hidraw");
}

// udev events of the hidraw subsystem. Unavailable (fd() < 0) where no udev daemon runs, as
// in most containers: the netlink socket would open but never deliver anything.
class UdevMonitor {
public:
    UdevMonitor() {
        if (::access("/run/udev/control", F_OK) != 0) return;
        context_ = udev_new();
        if (context_) monitor_ = udev_monitor_new_from_netlink(context_, "udev");
        if (monitor_ && (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
                         udev_monitor_enable_receiving(monitor_) < 0)) {
            udev_monitor_unref(monitor_);
            monitor_ = nullptr;
        }
    }
    ~UdevMonitor() {
        if (monitor_) udev_monitor_unref(monitor_);
        if (context_) udev_unref(context_);
    }
    UdevMonitor(const UdevMonitor&) = delete;
    UdevMonitor& operator=(const UdevMonitor&) = delete;

    int fd() const { return monitor_ ? udev_monitor_get_fd(monitor_) : -1; }
    void drain() {  // the events only say "look again"; their content is not needed
        while (udev_device* device = udev_monitor_receive_device(monitor_)) udev_device_unref(device);
    }

private:
    udev* context_ = nullptr;
    udev_monitor* monitor_ = nullptr;
};
}  // namespace

// The node is read and written directly (hidapi is used to enumerate only), so that the
// run loop can sleep in poll() on the node until the pedal sends a report.
struct HidrawBackend::OpenDevice {
    std::mutex mutex;  // shared by read, write and close: a node is never closed under a write
    int fd = -1;
};

HidrawBackend::HidrawBackend() : stopFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    // hid_exit is left to the end of the process: other backends may still use hidapi.
    static std::once_flag initialised;
    std::call_once(initialised, [] { hid_init(); });
}

HidrawBackend::~HidrawBackend() {
    closeAll();
    if (stopFd_ >= 0) ::close(stopFd_);
}

void HidrawBackend::stop() {
    stopRequested_ = true;
    if (stopFd_ >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto n = ::write(stopFd_, &one, sizeof one);
    }
}

void HidrawBackend::run(const DeviceMatch& match, HidBackendListener& listener) {
    match_ = match;
    listener_ = &listener;
    UdevMonitor udev;
    if (udev.fd() < 0) transportLog("hidraw: no udev events, looking for the pedal every 500 ms");
    if (!stopRequested_) rescan();
    auto nextRescan = Clock::now() + kRescanPeriod;
    auto nextErrorRescan = Clock::now();

    while (!stopRequested_) {
        std::vector<pollfd> fds{{stopFd_, POLLIN, 0}, {udev.fd(), POLLIN, 0}};
        {
            std::lock_guard lock(openedMutex_);
            for (const auto& entry : opened_) fds.push_back({entry.second->fd, POLLIN, 0});
        }
        int timeout = -1;
        if (udev.fd() < 0)
            timeout = static_cast<int>(std::max<std::chrono::milliseconds::rep>(
                std::chrono::ceil<std::chrono::milliseconds>(nextRescan - Clock::now()).count(), 0));
        if (stopFd_ < 0 && (timeout < 0 || timeout > 50)) timeout = 50;  // no eventfd: look at the flag

        ::poll(fds.data(), fds.size(), timeout);
        if (stopRequested_) break;

        bool look = false;
        if (fds[1].revents != 0) {
            udev.drain();
            look = true;
        }
        if (std::any_of(fds.begin() + 2, fds.end(), [](const pollfd& fd) { return fd.revents != 0; })) {
            const auto failed = readInputs();
            for (const auto& path : failed) forget(path);
            if (!failed.empty() && Clock::now() >= nextErrorRescan) {
                look = true;  // it may be back already under the same node
                nextErrorRescan = Clock::now() + kErrorRescanGap;
            }
        }
        if (udev.fd() < 0 && Clock::now() >= nextRescan) {
            look = true;
            nextRescan = Clock::now() + kRescanPeriod;
        }
        if (look) rescan();
    }

    closeAll();  // no removals are announced once stopped
    known_.clear();
    listener_ = nullptr;
    std::uint64_t count = 0;
    [[maybe_unused]] const auto n = ::read(stopFd_, &count, sizeof count);
    stopRequested_ = false;
}

void HidrawBackend::rescan() {
    std::vector<DeviceInfo> present;
    hid_device_info* list = hid_enumerate(match_.vendor, 0);
    for (const hid_device_info* item = list; item; item = item->next) {
        DeviceInfo device{item->path ? item->path : "", item->vendor_id, item->product_id, item->release_number,
                          utf8(item->product_string)};
        if (!device.path.empty() && match_.matches(device)) present.push_back(std::move(device));
    }
    hid_free_enumeration(list);

    const auto listed = [](const std::vector<DeviceInfo>& devices, const std::string& path) {
        return std::any_of(devices.begin(), devices.end(), [&](const DeviceInfo& d) { return d.path == path; });
    };
    std::vector<std::string> gone;
    for (const auto& device : known_)
        if (!listed(present, device.path)) gone.push_back(device.path);
    for (const auto& path : gone) forget(path);
    for (const auto& device : present) {
        if (listed(known_, device.path)) continue;
        known_.push_back(device);
        listener_->deviceMatched(device);
    }
}

void HidrawBackend::forget(const std::string& path) {
    close(path);
    const auto it = std::find_if(known_.begin(), known_.end(), [&](const DeviceInfo& d) { return d.path == path; });
    if (it == known_.end()) return;
    const DeviceInfo device = *it;
    known_.erase(it);
    listener_->deviceRemoved(device);
}

std::vector<std::string> HidrawBackend::readInputs() {
    std::vector<std::pair<std::string, std::shared_ptr<OpenDevice>>> devices;
    {
        std::lock_guard lock(openedMutex_);
        devices.assign(opened_.begin(), opened_.end());
    }
    std::vector<std::string> failed;
    // Larger than any report the pedal sends, so that a report of another length reaches
    // the listener with its true length instead of being cut to 64 bytes and passing.
    std::array<std::uint8_t, kMaxInputReport> buffer{};
    for (const auto& [path, device] : devices) {
        for (int i = 0; i < kReportsPerTurn; ++i) {
            ssize_t n;
            {
                std::lock_guard lock(device->mutex);
                if (device->fd < 0) break;  // closed meanwhile, perhaps by a listener
                n = ::read(device->fd, buffer.data(), buffer.size());
            }
            if (n > 0) listener_->inputReport(path, buffer.data(), static_cast<std::size_t>(n));
            if (n < 0 && errno != EAGAIN && errno != EINTR) failed.push_back(path);  // unplugged: ENODEV, EIO
            if (n <= 0) break;
        }
    }
    return failed;
}

std::vector<DeviceInfo> HidrawBackend::copyDevices() { return known_; }

OpenResult HidrawBackend::open(const std::string& path) {
    if (findOpened(path)) return OpenResult::Ok;
    const auto deadline = Clock::now() + kPermissionWait;
    for (;;) {
        OpenResult result = nodeAccess(path);
        if (result == OpenResult::Ok) {
            if (!isHidrawNode(path)) {
                transportWarning("hidraw: " + path + " is no hidraw device");
                return OpenResult::Failed;
            }
            if (const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC); fd >= 0) {
                auto device = std::make_shared<OpenDevice>();
                device->fd = fd;
                std::lock_guard lock(openedMutex_);
                opened_[path] = std::move(device);
                return OpenResult::Ok;
            }
            result = nodeAccess(path);  // the node may have changed meanwhile
            if (result == OpenResult::Ok) result = OpenResult::Failed;
        }
        if (result == OpenResult::NotFound) {
            transportWarning("hidraw: no pedal at " + path);
            return result;
        }
        if (result == OpenResult::Failed) {
            transportWarning("hidraw: cannot open the pedal at " + path);
            return result;
        }
        if (Clock::now() >= deadline || stopRequested_) {
            transportWarning("hidraw: pedal found at " + path + " but no permission to open it");
            return result;
        }
        std::this_thread::sleep_for(kPermissionRetry);
    }
}

void HidrawBackend::close(const std::string& path) {
    std::shared_ptr<OpenDevice> device;
    {
        std::lock_guard lock(openedMutex_);
        const auto it = opened_.find(path);
        if (it == opened_.end()) return;
        device = it->second;
        opened_.erase(it);
    }
    std::lock_guard lock(device->mutex);  // waits for a write in progress
    if (device->fd >= 0) ::close(device->fd);
    device->fd = -1;
}

void HidrawBackend::closeAll() {
    std::vector<std::string> paths;
    {
        std::lock_guard lock(openedMutex_);
        for (const auto& entry : opened_) paths.push_back(entry.first);
    }
    for (const auto& path : paths) close(path);
}

std::shared_ptr<HidrawBackend::OpenDevice> HidrawBackend::findOpened(const std::string& path) {
    std::lock_guard lock(openedMutex_);
    const auto it = opened_.find(path);
    return it == opened_.end() ? nullptr : it->second;
}

bool HidrawBackend::writeReport(const std::string& path, const Report& report) {
    const auto device = findOpened(path);
    if (!device) return false;
    std::array<std::uint8_t, kReportSize + 1> buffer{};  // report ID 0, then the 64 bytes
    std::copy(report.begin(), report.end(), buffer.begin() + 1);
    std::lock_guard lock(device->mutex);
    if (device->fd < 0) return false;
    // The kernel may count the written bytes with or without the report ID: any is success.
    return ::write(device->fd, buffer.data(), buffer.size()) > 0;
}

}  // namespace quorvex
