#pragma once
// Helpers for the transport tests: a temporary bus folder, a listener that records what a
// backend announces, a backend running on its own thread, and a hand-made device socket.
#include "hid_backend.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace quorvex::testing {

using namespace std::chrono_literals;
inline constexpr auto kGenerous = 10s;  // events normally come within milliseconds

class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/qvbus-XXXXXX";  // short: socket paths are limited to 108 bytes
        path_ = ::mkdtemp(pattern);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline Report tagged(std::uint8_t tag, std::uint8_t count = 63) {
    Report report{};
    report[0] = count;
    for (std::size_t i = 1; i < report.size(); ++i) report[i] = static_cast<std::uint8_t>(tag + i);
    return report;
}

// Records every event. Hooks run on the backend thread, inside the event, and must be set
// before the backend runs.
class RecordingListener : public HidBackendListener {
public:
    std::function<void(const DeviceInfo&)> onMatched;
    std::function<void(const DeviceInfo&)> onRemoved;

    void deviceMatched(const DeviceInfo& device) override {
        if (onMatched) onMatched(device);
        std::lock_guard lock(mutex_);
        matched_.push_back(device);
        changed_.notify_all();
    }
    void deviceRemoved(const DeviceInfo& device) override {
        if (onRemoved) onRemoved(device);
        std::lock_guard lock(mutex_);
        removed_.push_back(device);
        changed_.notify_all();
    }
    void inputReport(const std::string& path, const std::uint8_t* data, std::size_t len) override {
        std::lock_guard lock(mutex_);
        reports_[path].emplace_back(data, data + len);
        changed_.notify_all();
    }

    bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = kGenerous) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, done);
    }
    bool waitMatched(std::size_t n) { return waitFor([&] { return matched_.size() >= n; }); }
    bool waitRemoved(std::size_t n) { return waitFor([&] { return removed_.size() >= n; }); }
    bool waitReports(const std::string& path, std::size_t n) {
        return waitFor([&] { return reports_[path].size() >= n; });
    }

    std::vector<DeviceInfo> matched() {
        std::lock_guard lock(mutex_);
        return matched_;
    }
    std::vector<DeviceInfo> removed() {
        std::lock_guard lock(mutex_);
        return removed_;
    }
    std::vector<std::vector<std::uint8_t>> reports(const std::string& path) {
        std::lock_guard lock(mutex_);
        return reports_[path];
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<DeviceInfo> matched_;
    std::vector<DeviceInfo> removed_;
    std::map<std::string, std::vector<std::vector<std::uint8_t>>> reports_;
};

// Runs a backend on its own thread; stops and joins it at the end.
class Running {
public:
    Running(HidBackend& backend, const DeviceMatch& match, HidBackendListener& listener) : backend_(backend) {
        std::packaged_task<void()> task([&backend, match, &listener] { backend.run(match, listener); });
        done_ = task.get_future();
        thread_ = std::thread(std::move(task));
    }
    ~Running() {
        backend_.stop();
        thread_.join();
    }
    // Stops the backend and tells whether run() returned within the generous time-out.
    bool stop() {
        backend_.stop();
        return done_.wait_for(kGenerous) == std::future_status::ready;
    }

private:
    HidBackend& backend_;
    std::future<void> done_;
    std::thread thread_;
};

// A device end made by hand, for what DeviceSocket deliberately does not do.
class RawSocket {
public:
    RawSocket() : fd_(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0)) {}
    explicit RawSocket(int fd) : fd_(fd) {}
    ~RawSocket() { reset(); }
    RawSocket(const RawSocket&) = delete;
    RawSocket& operator=(const RawSocket&) = delete;

    int fd() const { return fd_; }
    void reset() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    bool bind(const std::string& path) {
        const sockaddr_un address = addressOf(path);
        return ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    bool connect(const std::string& path) {
        const sockaddr_un address = addressOf(path);
        return ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    bool listen() { return ::listen(fd_, 4) == 0; }
    // Waits for a host and returns the connection.
    int accept(std::chrono::milliseconds timeout = kGenerous) {
        if (!readable(timeout)) return -1;
        return ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    }
    bool send(const void* data, std::size_t n) {
        return ::send(fd_, data, n, MSG_NOSIGNAL) == static_cast<ssize_t>(n);
    }
    bool send(const std::string& text) { return send(text.data(), text.size()); }
    std::vector<std::uint8_t> receive(std::chrono::milliseconds timeout = kGenerous) {
        std::vector<std::uint8_t> buffer(4096);
        if (!readable(timeout)) return {};
        const ssize_t n = ::recv(fd_, buffer.data(), buffer.size(), 0);
        buffer.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return buffer;
    }
    // True once the other end closed the connection.
    bool waitHangUp(std::chrono::milliseconds timeout = kGenerous) {
        pollfd p{fd_, POLLIN | POLLRDHUP, 0};
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            if (::poll(&p, 1, 100) > 0 && (p.revents & (POLLHUP | POLLRDHUP))) return true;
            if (p.revents & POLLIN) {  // drain whatever the host still sent
                char sink[256];
                ::recv(fd_, sink, sizeof sink, MSG_DONTWAIT);
            }
        }
        return false;
    }

private:
    int fd_;

    bool readable(std::chrono::milliseconds timeout) {
        pollfd p{fd_, POLLIN, 0};
        return ::poll(&p, 1, static_cast<int>(timeout.count())) > 0;
    }
    static sockaddr_un addressOf(const std::string& path) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        return address;
    }
};

}  // namespace quorvex::testing
