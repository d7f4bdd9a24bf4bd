#pragma once
#include "hid_backend.h"

#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace quorvex {

// HID devices played by other programs through the virtual bus folder (docs/virtual-bus.md).
// The host end: connects to every socket in the folder, reads its descriptor and treats the
// connection as a plugged-in device until it closes.
class VirtualBusBackend : public HidBackend {
public:
    explicit VirtualBusBackend(std::string busDir);
    ~VirtualBusBackend() override;
    VirtualBusBackend(const VirtualBusBackend&) = delete;
    VirtualBusBackend& operator=(const VirtualBusBackend&) = delete;

    void run(const DeviceMatch& match, HidBackendListener& listener) override;
    void stop() override;
    std::vector<DeviceInfo> copyDevices() override;
    OpenResult open(const std::string& path) override;
    void close(const std::string& path) override;
    bool writeReport(const std::string& path, const Report& report) override;

    const std::string& busDir() const { return busDir_; }

private:
    using Clock = std::chrono::steady_clock;
    struct Connection;
    struct Retry {
        Clock::time_point due;
        std::chrono::milliseconds backoff;
    };

    std::string busDir_;
    int stopFd_ = -1;
    std::atomic<bool> stopRequested_{false};

    // Connections in arrival order. The list changes only on the run() thread, under the
    // mutex, so that writers on other threads can look a path up.
    std::mutex connectionsMutex_;
    std::vector<std::shared_ptr<Connection>> connections_;

    // State of the run() thread alone.
    DeviceMatch match_;
    HidBackendListener* listener_ = nullptr;
    int inotifyFd_ = -1;
    int watch_ = -1;
    Clock::time_point nextWatchAttempt_;
    std::map<std::string, Retry> retries_;  // socket paths to (re)connect to

    void watchFolder();
    void scanFolder();
    void readFolderEvents();
    void schedule(const std::string& path, std::chrono::milliseconds delay);
    void connectDue();
    void tryConnect(const std::string& path);
    void service(const std::shared_ptr<Connection>& connection, short revents);
    void handleDatagram(const std::shared_ptr<Connection>& connection, const std::uint8_t* data, std::size_t len);
    void expireDescriptorWaits();
    void drop(const std::shared_ptr<Connection>& connection, std::optional<std::chrono::milliseconds> retryAfter);
    void dropAll();
    int pollTimeout() const;
    std::shared_ptr<Connection> find(const std::string& path);
};

}  // namespace quorvex
