#include "updater_hid_class.h"

#include "crc16.h"
#include "frame.h"
#include "link_log.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace quorvex::updater {
namespace {

constexpr std::size_t kNameAt = 6;
constexpr std::size_t kVersionAt = 45;
constexpr std::size_t kVersionSize = 6;
constexpr std::size_t kModeAt = 59;
constexpr auto kPoll = std::chrono::milliseconds(10);

// The greeting after opening: marks AB 5B, an empty body and its check value.
std::array<std::uint8_t, 6> greetingFrame() {
    std::array<std::uint8_t, 6> frame{0xAB, 0x5B, 0x00, 0x00, 0, 0};
    const std::uint16_t crc = crc16(frame.data() + 2, 2);
    frame[4] = static_cast<std::uint8_t>(crc >> 8);
    frame[5] = static_cast<std::uint8_t>(crc & 0xFF);
    return frame;
}

}  // namespace

HIDClass::HIDClass(std::unique_ptr<HidBackend> backend, ProbeTiming timing)
    : backend_(std::move(backend)), timing_(timing) {}

HIDClass::~HIDClass() { endThread(); }

void HIDClass::setPid(std::uint64_t pid, std::uint64_t vid, std::uint64_t ver) {
    match_.vendor = static_cast<std::uint16_t>(vid);
    match_.release = static_cast<std::uint16_t>(ver);
    // Product 0 matches every product of the vendor: the boot loader has its own.
    match_.product = pid == 0 ? std::nullopt : std::optional<std::uint16_t>(static_cast<std::uint16_t>(pid));
}

bool HIDClass::OpenDevice() {
    thread_ = std::thread([this] { myThreadMainMethod(); });
    const auto deadline = std::chrono::steady_clock::now() + timing_.openWait;
    while (!connected_ && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(kPoll);
    if (!connected_) {
        endThread();
        return false;
    }
    const auto greeting = greetingFrame();
    write_frame(greeting.data(), greeting.size());
    return true;
}

void HIDClass::myThreadMainMethod() { backend_->run(match_, *this); }

void HIDClass::endThread() {
    backend_->stop();
    if (thread_.joinable()) thread_.join();
}

int HIDClass::checkUSBDevice() {
    static const std::uint8_t zero[2] = {0, 0};
    const std::vector<std::uint8_t> start = buildFrame(0, {zero, 1});
    const std::vector<std::uint8_t> query = buildFrame(132, {zero, 2});
    std::string probed;
    Clock::time_point firstProbe;
    Clock::time_point lastProbe;
    for (int attempts = 1;; ++attempts) {
        // A device that went away while being probed ends the search too.
        if (!connected_) return 0;
        if (passCounter_ >= timing_.passes) {
            connected_ = false;
            return 0;
        }
        if (identified_) return settleAfterProbes(firstProbe, lastProbe);
        lastProbe = Clock::now();
        if (const std::string device = currentDevice(); device != probed) {
            probed = device;
            firstProbe = lastProbe;
        }
        write_frame(start.data(), start.size());
        write_frame(query.data(), query.size());
        std::this_thread::sleep_for(timing_.probeInterval);
        if (identified_) return settleAfterProbes(firstProbe, lastProbe);
        if (attempts % timing_.attemptsPerDevice == 0) nextDevice();
    }
}

// The probe is the boot loader's handshake. A pedal slower to answer than the probe interval
// still has answers to the later probes on their way when it is identified; they are let in
// (nobody takes them yet) before the pedal is handed on, so that none passes for an answer
// to the update. They may come as late again as the first answer did.
int HIDClass::settleAfterProbes(Clock::time_point firstProbe, Clock::time_point lastProbe) const {
    if (lastProbe > firstProbe) std::this_thread::sleep_until(lastProbe + 2 * (identifiedAt_.load() - firstProbe));
    return 1;
}

void HIDClass::nextDevice() {
    std::lock_guard lock(deviceMutex_);
    if (++currentIndex_ >= deviceRefs_.size()) {
        currentIndex_ = 0;
        ++passCounter_;
    }
    currentDevice_ = currentIndex_ < deviceRefs_.size() ? deviceRefs_[currentIndex_].path : std::string();
}

int HIDClass::disconnectDevice() {
    const bool hadDevice = !currentDevice().empty();
    endThread();
    connected_ = false;
    return hadDevice ? 0 : -1;
}

void HIDClass::connectHID() {
    std::vector<DeviceInfo> devices = backend_->copyDevices();
    std::lock_guard lock(deviceMutex_);
    deviceRefs_ = std::move(devices);
    const auto current = std::find_if(deviceRefs_.begin(), deviceRefs_.end(),
                                      [this](const DeviceInfo& d) { return d.path == currentDevice_; });
    if (current != deviceRefs_.end()) {
        // The current device stays current however the list around it changed.
        currentIndex_ = static_cast<std::size_t>(current - deviceRefs_.begin());
        return;
    }
    currentDevice_ = currentIndex_ < deviceRefs_.size() ? deviceRefs_[currentIndex_].path : std::string();
}

void HIDClass::deviceMatched(const DeviceInfo& device) {
    updaterLog("matching device " + device.path + " product " + std::to_string(device.product));
    // Every matching device is opened, so that probing can move on to the next one.
    const OpenResult opened = backend_->open(device.path);
    if (opened != OpenResult::Ok) {
        if (opened == OpenResult::NoPermission) {
            std::lock_guard lock(deviceMutex_);
            deniedNode_ = device.path;
            noPermission_ = true;
        }
        updaterLog("cannot open " + device.path);
        return;
    }
    // Devices arrive one by one: the list is refreshed with each, so that probing can reach
    // every device that came after the first.
    if (!connected_) {
        std::lock_guard lock(deviceMutex_);
        currentDevice_ = device.path;
    }
    connectHID();
    connected_ = true;
}

void HIDClass::deviceRemoved(const DeviceInfo& device) {
    backend_->close(device.path);
    if (connected_ && device.path == currentDevice()) {
        {
            std::lock_guard lock(deviceMutex_);
            currentDevice_.clear();
        }
        connected_ = false;
        updaterLog("pedal removed");
        return;
    }
    connectHID();
}

void HIDClass::inputReport(const std::string& path, const std::uint8_t* data, std::size_t len) {
    if (len != kReportSize || path != currentDevice()) return;
    const bool first = !identified_;
    if (first) {
        if (std::memcmp(data + kNameAt, deviceName_.data(), std::min(deviceName_.size(), kReportSize - kNameAt)) != 0) {
            return;
        }
        identify(path, data);
        identifiedAt_ = Clock::now();
    }
    const std::size_t n = data[0];
    if (n <= kReportPayload) putRX_buffer(data + 1, n);
    // Identified once the first report's frames are delivered: whoever sees the flag sees them.
    if (first) identified_ = true;
}

void HIDClass::identify(const std::string& path, const std::uint8_t* report) {
    std::vector<DeviceInfo> others;
    {
        std::lock_guard lock(deviceMutex_);
        for (std::size_t i = 0; i < deviceRefs_.size(); ++i) {
            if (deviceRefs_[i].path == path) {
                currentIndex_ = i;
            } else {
                others.push_back(deviceRefs_[i]);
            }
        }
    }
    mode_ = static_cast<char>(report[kModeAt]);
    if (mode_ == 'A') {
        std::string expected = deviceVersion_.substr(0, kVersionSize);
        expected.resize(kVersionSize, '\0');
        versionMatches_ = std::memcmp(report + kVersionAt, expected.data(), kVersionSize) == 0;
    }
    for (const DeviceInfo& other : others) backend_->close(other.path);
    updaterLog(std::string("pedal identified in mode ") + mode_.load());
}

void HIDClass::putRX_buffer(const std::uint8_t* bytes, std::size_t n) {
    if (ring_.put(bytes, n)) parser_.run();
}

void HIDClass::deliver(const std::uint8_t* frame, std::size_t size) {
    const FrameBlock& receiver = mode_ == 'A' ? callBackData_ : updateCallBackData_;
    if (receiver) receiver(frame, size);
}

bool HIDClass::write_frame(const std::uint8_t* bytes, std::size_t n) {
    if (!connected_) return false;
    return forEachReport(bytes, n, [this](const Report& report) {
        const std::string path = currentDevice();
        if (path.empty()) {
            passCounter_ = timing_.passes;  // nobody to talk to: probing ends
            return false;
        }
        return backend_->writeReport(path, report);
    });
}

std::string HIDClass::currentDevice() const {
    std::lock_guard lock(deviceMutex_);
    return currentDevice_;
}

std::string HIDClass::deniedNode() const {
    std::lock_guard lock(deviceMutex_);
    return deniedNode_;
}

}  // namespace quorvex::updater
