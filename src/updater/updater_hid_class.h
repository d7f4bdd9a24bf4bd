#pragma once
#include "frame_parser.h"
#include "hid_backend.h"
#include "rx_ring.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quorvex::updater {

// How patiently the updater looks for the pedal. Tests shorten it.
struct ProbeTiming {
    std::chrono::milliseconds openWait{1000};     // for a matching device to appear
    std::chrono::milliseconds probeInterval{60};  // between two identification probes
    int attemptsPerDevice = 20;                   // then the next device is probed
    int passes = 3;                               // rounds over the device list before giving up
};

// The updater's side of the USB link. Unlike the editor's link it matches any product of
// the vendor with the pedal's release number, because the boot loader enumerates under
// another product number, and it learns from the first report whether the pedal runs its
// application (mode "A", with a firmware version) or its boot loader (mode "B"). Complete
// frames go to the application or the boot-loader receiver by mode.
class HIDClass : public HidBackendListener {
public:
    using FrameBlock = std::function<void(const std::uint8_t* frame, std::size_t size)>;

    explicit HIDClass(std::unique_ptr<HidBackend> backend, ProbeTiming timing = {});
    ~HIDClass() override;
    HIDClass(const HIDClass&) = delete;
    HIDClass& operator=(const HIDClass&) = delete;

    // Set before OpenDevice.
    void setPid(std::uint64_t pid, std::uint64_t vid, std::uint64_t ver);
    void setDeviceName(std::string name) { deviceName_ = std::move(name); }
    void setDeviceVersion(std::string version) { deviceVersion_ = std::move(version); }
    void setCallBackData(FrameBlock block) { callBackData_ = std::move(block); }
    void setUpdateCallBackData(FrameBlock block) { updateCallBackData_ = std::move(block); }

    // Starts the HID thread and waits for a matching device; on success greets it with
    // the probe frame AB 5B 00 00 FF FF. False (and the thread ended) when none came.
    bool OpenDevice();
    // Probes until a device identifies itself: 1, or 0 after the passes ran out or the
    // device went away. Blocks the calling thread.
    int checkUSBDevice();
    // Releases the pedal (ends the HID thread, which closes every device): 0, or -1 when
    // there was no current device.
    int disconnectDevice();

    // Sends a frame cut into reports on the current device. False when refused.
    bool write_frame(const std::uint8_t* bytes, std::size_t n);

    bool isConnected() const { return connected_; }
    bool isIdentified() const { return identified_; }
    char mode() const { return mode_; }
    bool versionMatches() const { return versionMatches_; }
    // A matching device was there, but this user may not open it (no udev rule).
    bool noPermission() const { return noPermission_; }
    // The node of that device, for telling the user what to do about it.
    std::string deniedNode() const;

    // HidBackendListener (HID thread).
    void deviceMatched(const DeviceInfo& device) override;
    void deviceRemoved(const DeviceInfo& device) override;
    void inputReport(const std::string& path, const std::uint8_t* data, std::size_t len) override;

private:
    using Clock = std::chrono::steady_clock;
    int settleAfterProbes(Clock::time_point firstProbe, Clock::time_point lastProbe) const;
    void myThreadMainMethod();
    void connectHID();
    void nextDevice();
    void identify(const std::string& path, const std::uint8_t* report);
    void putRX_buffer(const std::uint8_t* bytes, std::size_t n);
    void deliver(const std::uint8_t* frame, std::size_t size);
    std::string currentDevice() const;
    void endThread();

    std::unique_ptr<HidBackend> backend_;
    ProbeTiming timing_;
    DeviceMatch match_;
    std::string deviceName_ = "KIRO_QUORVEXIII";
    std::string deviceVersion_ = "V1.1.0";
    FrameBlock callBackData_;
    FrameBlock updateCallBackData_;
    std::thread thread_;

    mutable std::mutex deviceMutex_;  // guards deviceRefs_, currentDevice_, currentIndex_, deniedNode_
    std::vector<DeviceInfo> deviceRefs_;
    std::string currentDevice_;
    std::string deniedNode_;
    std::size_t currentIndex_ = 0;

    std::atomic<bool> connected_{false};
    std::atomic<bool> identified_{false};
    std::atomic<Clock::time_point> identifiedAt_{};
    std::atomic<char> mode_{0};
    std::atomic<bool> versionMatches_{true};
    std::atomic<int> passCounter_{0};
    std::atomic<bool> noPermission_{false};

    // Reassembly, HID thread only.
    RxRing ring_;
    FrameParser parser_{ring_, [this](const std::uint8_t* f, std::size_t n) { deliver(f, n); }};
};

}  // namespace quorvex::updater
