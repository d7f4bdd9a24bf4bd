#pragma once
#include "frame.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvex {

// One HID device as a backend sees it. `path` identifies it for open/close/write.
struct DeviceInfo {
    std::string path;
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    std::uint16_t release = 0;
    std::string name;
    bool operator==(const DeviceInfo&) const = default;
};

// Which devices a link is interested in. The editor matches all three numbers; the
// updater matches vendor and release only.
struct DeviceMatch {
    std::uint16_t vendor = 0x0483;
    std::optional<std::uint16_t> product = 0x1513;
    std::uint16_t release = 0x00C8;
    bool matches(const DeviceInfo& d) const {
        return d.vendor == vendor && (!product || d.product == *product) && d.release == release;
    }
};

enum class OpenResult { Ok, NotFound, NoPermission, Failed };

// Receives a backend's events. Every call arrives on the thread that runs the backend.
class HidBackendListener {
public:
    virtual ~HidBackendListener() = default;
    virtual void deviceMatched(const DeviceInfo& device) = 0;
    virtual void deviceRemoved(const DeviceInfo& device) = 0;
    // Input reports of opened devices only. len is what the device delivered (64 normally).
    virtual void inputReport(const std::string& path, const std::uint8_t* data, std::size_t len) = 0;
};

// Access to HID devices: matching, arrival and removal, input reports on one thread,
// output reports from any thread.
class HidBackend {
public:
    virtual ~HidBackend() = default;

    // Runs the event loop on the calling thread until stop(). Devices present at the
    // start are announced through deviceMatched like later arrivals.
    virtual void run(const DeviceMatch& match, HidBackendListener& listener) = 0;
    // Ends run(); callable from any thread, also before run() started.
    virtual void stop() = 0;

    // The matching devices currently present, in a stable order. Thread of run().
    virtual std::vector<DeviceInfo> copyDevices() = 0;
    // Opens a device so that its input reports are delivered. Thread of run().
    virtual OpenResult open(const std::string& path) = 0;
    // Closes an opened device. Thread of run(); never races a write in progress.
    virtual void close(const std::string& path) = 0;
    // Sends one 64-byte output report (report ID 0). Any thread. False when refused.
    virtual bool writeReport(const std::string& path, const Report& report) = 0;
};

}  // namespace quorvex
