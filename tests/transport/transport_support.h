#pragma once
// Helpers for the transport tests: a temporary bus folder, a listener that records what a
// backend announces, and a backend running on its own thread.
#include "hid_backend.h"

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

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

// A full report whose bytes tell it apart from others.
inline Report tagged(std::uint8_t tag) {
    Report report{};
    report[0] = 63;
    for (std::size_t i = 1; i < report.size(); ++i) report[i] = static_cast<std::uint8_t>(tag + i);
    return report;
}

// Records every event. The hook runs on the backend thread, inside the event, and must be
// set before the backend runs.
class RecordingListener : public HidBackendListener {
public:
    std::function<void(const DeviceInfo&)> onMatched;

    void deviceMatched(const DeviceInfo& device) override {
        if (onMatched) onMatched(device);
        record([&] { matched_.push_back(device); });
    }
    void deviceRemoved(const DeviceInfo& device) override {
        record([&] { removed_.push_back(device); });
    }
    void inputReport(const std::string& path, const std::uint8_t* data, std::size_t len) override {
        record([&] { reports_[path].emplace_back(data, data + len); });
    }

    bool waitMatched(std::size_t n) { return waitFor([&] { return matched_.size() >= n; }); }
    bool waitRemoved(std::size_t n) { return waitFor([&] { return removed_.size() >= n; }); }
    bool waitReports(const std::string& path, std::size_t n) {
        return waitFor([&] { return reports_[path].size() >= n; });
    }
    std::vector<DeviceInfo> matched() { return copy(matched_); }
    std::vector<DeviceInfo> removed() { return copy(removed_); }
    std::vector<std::vector<std::uint8_t>> reports(const std::string& path) { return copy(reports_[path]); }

private:
    bool waitFor(const std::function<bool()>& done) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kGenerous, done);
    }
    template <typename Change>
    void record(Change change) {
        std::lock_guard lock(mutex_);
        change();
        changed_.notify_all();
    }
    template <typename T>
    T copy(const T& list) {
        std::lock_guard lock(mutex_);
        return list;
    }

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

}  // namespace quorvex::testing
