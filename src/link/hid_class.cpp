#include "hid_class.h"

#include "link_log.h"

#include <algorithm>
#include <cstring>

namespace quorvex {
namespace {
constexpr char kVersionText[] = "1.0.0";
constexpr char kProductText[] = "KIRO_QUORVEXIII";
constexpr std::size_t kVersionAt = 23;
constexpr std::size_t kProductAt = 6;
}  // namespace

HIDClass::HIDClass(std::unique_ptr<HidBackend> backend, DeviceMatch match, RxRing& ring, LinkEvents& events)
    : backend_(std::move(backend)), match_(match), ring_(ring), events_(events) {}

void HIDClass::OpenHidDevice() { backend_->run(match_, *this); }

void HIDClass::stop() { backend_->stop(); }

int HIDClass::indexOf(const std::vector<DeviceInfo>& list, const std::string& path) const {
    const auto found = std::find_if(list.begin(), list.end(), [&](const DeviceInfo& d) { return d.path == path; });
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

void HIDClass::connectHID() {
    std::vector<DeviceInfo> devices = backend_->copyDevices();
    std::lock_guard lock(deviceMutex_);
    deviceRefs_ = std::move(devices);
    if (isConnected_) {
        // The open device stays current however the list around it changed.
        currentIndex_ = std::max(0, indexOf(deviceRefs_, currentDevice_));
        return;
    }
    const auto index = static_cast<std::size_t>(currentIndex_);
    currentDevice_ = index < deviceRefs_.size() ? deviceRefs_[index].path : std::string();
}

void HIDClass::deviceMatched(const DeviceInfo& device) {
    if (isConnected_) return;
    connectHID();
    const OpenResult result = backend_->open(device.path);
    if (result != OpenResult::Ok) {
        if (result == OpenResult::NoPermission) {
            {
                std::lock_guard lock(deviceMutex_);
                deniedNode_ = device.path;
            }
            presence_ = PedalPresence::NoPermission;
            linkLog("pedal present at " + device.path + " but no permission to open it");
        } else {
            linkLog("could not open the pedal at " + device.path);
        }
        return;
    }
    {
        std::lock_guard lock(deviceMutex_);
        currentDevice_ = device.path;
    }
    linkLog("pedal connected at " + device.path);
    Report greeting{};  // an empty report: count 0
    backend_->writeReport(device.path, greeting);
    // Only now may the scheduler send its start frame: the greeting goes first, and this
    // thread is back reading before the pedal's identity report comes, which the scheduler
    // looks at one tick after the start frame.
    presence_ = PedalPresence::Connected;
    isConnected_ = true;
    ring_.wakeReader();
}

void HIDClass::deviceRemoved(const DeviceInfo& device) {
    if (isConnected_ && device.path == currentDevice()) {
        {
            std::lock_guard lock(deviceMutex_);
            currentDevice_.clear();
        }
        isConnected_ = false;
        ring_.wakeReader();  // the loader stops reading
        presence_ = PedalPresence::Removed;
        backend_->close(device.path);
        backend_->stop();
        linkLog("pedal removed");
        events_.exitApp(kDisconnectMessage);
        return;
    }
    connectHID();
}

void HIDClass::inputReport(const std::string& path, const std::uint8_t* data, std::size_t len) {
    if (len != kReportSize || path != currentDevice()) return;
    if (!firstReportSeen_ && identityOk_) {
        identityCheck(data);
        if (!versionOk_ || !identityOk_) return;
    }
    const std::size_t n = data[0];
    if (n > kReportPayload) {
        linkLog("dropped a report announcing " + std::to_string(n) + " bytes");
        return;
    }
    ring_.put(data + 1, n);
}

void HIDClass::identityCheck(const std::uint8_t* report) {
    {
        std::lock_guard lock(deviceMutex_);
        currentIndex_ = std::max(0, indexOf(deviceRefs_, currentDevice_));
    }
    firstReportSeen_ = true;
    if (std::memcmp(report + kVersionAt, kVersionText, sizeof kVersionText - 1) != 0) {
        versionOk_ = false;
        linkLog("pedal firmware refused");
        events_.postFirmwareTooOld();
        return;
    }
    if (std::memcmp(report + kProductAt, kProductText, sizeof kProductText - 1) != 0) {
        identityOk_ = false;
        linkLog("unexpected product name in the first report");
    }
}

bool HIDClass::writeReport(const Report& report) {
    if (!isConnected_) return false;
    const std::string path = currentDevice();
    return !path.empty() && backend_->writeReport(path, report);
}

bool HIDClass::write_frame(const std::uint8_t* bytes, std::size_t n) {
    if (!isConnected_) return false;
    return forEachReport(bytes, n, [this](const Report& report) { return writeReport(report); });
}

std::vector<DeviceInfo> HIDClass::deviceRefs() const {
    std::lock_guard lock(deviceMutex_);
    return deviceRefs_;
}

std::string HIDClass::currentDevice() const {
    std::lock_guard lock(deviceMutex_);
    return currentDevice_;
}

std::string HIDClass::deniedNode() const {
    std::lock_guard lock(deviceMutex_);
    return deniedNode_;
}

}  // namespace quorvex
