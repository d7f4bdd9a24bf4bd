#pragma once
// What the transport tests share: a temporary bus folder and a listener that records
// what a backend announces.
#include "hid_backend.h"

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <string>
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
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Records every event. The hook runs on the backend thread and must be set before the
// backend runs.
class RecordingListener : public HidBackendListener {
public:
    std::function<void(const DeviceInfo&)> onMatched;
    std::vector<DeviceInfo> matched, removed;
    std::map<std::string, std::vector<std::vector<std::uint8_t>>> reports;

    void deviceMatched(const DeviceInfo& device) override {
        if (onMatched) onMatched(device);
        record([&] { matched.push_back(device); });
    }
    void deviceRemoved(const DeviceInfo& device) override {
        record([&] { removed.push_back(device); });
    }
    void inputReport(const std::string& path, const std::uint8_t* data, std::size_t len) override {
        record([&] { reports[path].emplace_back(data, data + len); });
    }
    // Waits until `done` holds; the lists may be read in it and once it returned true.
    bool waitFor(const std::function<bool()>& done) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kGenerous, done);
    }

private:
    template <typename Change>
    void record(Change change) {
        std::lock_guard lock(mutex_);
        change();
        changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
};

}  // namespace quorvex::testing
