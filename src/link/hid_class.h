#pragma once
#include "hid_backend.h"
#include "link_events.h"
#include "rx_ring.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace quorvex {

// What the link knows about the pedal, for messages such as the command-line tool's.
enum class PedalPresence { Absent, NoPermission, Connected, Removed };

// The pedal's HID side: picks the device, greets it, checks the first report for the
// product and firmware, feeds the receive ring and sends reports. Its callbacks run on
// the HID thread; the flags are read by the scheduler and loader threads.
class HIDClass : public HidBackendListener {
public:
    HIDClass(std::unique_ptr<HidBackend> backend, DeviceMatch match, RxRing& ring, LinkEvents& events);

    // Runs the backend on the calling thread (the HID thread) until stop().
    void OpenHidDevice();
    void stop();

    // Refreshes deviceRefs from the backend, keeping the current device while present.
    void connectHID();

    // Sends n frame bytes cut into reports on the current device. False when not
    // connected or when a report is refused; nothing further is sent then.
    bool write_frame(const std::uint8_t* bytes, std::size_t n);

    bool isConnected() const { return isConnected_.load(); }
    const std::atomic<bool>& isConnectedFlag() const { return isConnected_; }
    bool versionOk() const { return versionOk_.load(); }
    bool identityOk() const { return identityOk_.load(); }
    PedalPresence presence() const { return presence_.load(); }
    std::vector<DeviceInfo> deviceRefs() const;
    std::string currentDevice() const;
    // The node of the last pedal that was found but could not be opened for lack of permission.
    std::string deniedNode() const;

    // HidBackendListener (HID thread).
    void deviceMatched(const DeviceInfo& device) override;
    void deviceRemoved(const DeviceInfo& device) override;
    void inputReport(const std::string& path, const std::uint8_t* data, std::size_t len) override;

private:
    bool writeReport(const Report& report);
    void identityCheck(const std::uint8_t* report);
    int indexOf(const std::vector<DeviceInfo>& list, const std::string& path) const;

    std::unique_ptr<HidBackend> backend_;
    DeviceMatch match_;
    RxRing& ring_;
    LinkEvents& events_;

    mutable std::mutex deviceMutex_;  // guards deviceRefs_, currentDevice_ and deniedNode_
    std::vector<DeviceInfo> deviceRefs_;
    std::string currentDevice_;
    std::string deniedNode_;
    int currentIndex_ = 0;

    std::atomic<bool> isConnected_{false};
    std::atomic<bool> firstReportSeen_{false};
    std::atomic<bool> identityOk_{true};
    std::atomic<bool> versionOk_{true};
    std::atomic<PedalPresence> presence_{PedalPresence::Absent};
};

}  // namespace quorvex
