#pragma once
#include "hid_backend.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace quorvex {

// The real pedal through Linux hidraw: hidapi enumerates, the nodes are read and written
// directly, and the run loop sleeps in poll() until a report, a udev event or stop() comes.
// Arrival and removal come from udev events, or from re-enumerating every half second where
// no udev daemon runs (containers).
class HidrawBackend : public HidBackend {
public:
    HidrawBackend();
    ~HidrawBackend() override;
    HidrawBackend(const HidrawBackend&) = delete;
    HidrawBackend& operator=(const HidrawBackend&) = delete;

    void run(const DeviceMatch& match, HidBackendListener& listener) override;
    void stop() override;
    std::vector<DeviceInfo> copyDevices() override;
    // Retries for about two seconds while the node exists but may not be opened: udev may
    // still be applying its permission rules to a pedal that has just arrived.
    OpenResult open(const std::string& path) override;
    void close(const std::string& path) override;
    bool writeReport(const std::string& path, const Report& report) override;

private:
    struct OpenDevice;

    int stopFd_ = -1;
    std::atomic<bool> stopRequested_{false};

    std::mutex openedMutex_;  // guards the map; each device has its own mutex for its handle
    std::map<std::string, std::shared_ptr<OpenDevice>> opened_;

    // State of the run() thread alone.
    DeviceMatch match_;
    HidBackendListener* listener_ = nullptr;
    std::vector<DeviceInfo> known_;  // matching devices in arrival order

    void rescan();
    void forget(const std::string& path);
    std::vector<std::string> readInputs();  // the paths whose read failed: the device is gone
    std::shared_ptr<OpenDevice> findOpened(const std::string& path);
    void closeAll();
};

}  // namespace quorvex
