#pragma once
#include "link_events.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace quorvex::testing {

// A LinkEvents that records everything it is told, for tests to inspect and wait on.
class RecordingEvents : public LinkEvents {
public:
    struct Event {
        EventCode code;
        std::vector<std::uint32_t> values;
    };

    void postEvent(EventCode code, std::vector<std::uint32_t> values) override {
        record([&] { events.push_back({code, std::move(values)}); });
    }
    void postSetIsChangeGuiData(bool flag) override { record([&] { changedFlags.push_back(flag); }); }
    void postLoadProgress(float progress) override { record([&] { progress_.push_back(progress); }); }
    void postPresetList(std::vector<std::string> list, std::vector<int> missing) override {
        record([&] {
            presetList = std::move(list);
            missingSlots = std::move(missing);
        });
    }
    void exitApp(std::string message) override { record([&] { exitMessage = std::move(message); }); }
    void postFirmwareTooOld() override { record([&] { firmwareTooOld = true; }); }
    void traceFrame(const std::string& line) override {
        record([&] {
            trace.push_back(line);
            traceTimes.push_back(std::chrono::steady_clock::now());
        });
    }

    // Waits until pred() holds (checked under the lock).
    template <typename Pred>
    bool waitUntil(Pred pred, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, timeout, [&] { return pred(); });
    }

    template <typename F>
    auto locked(F f) {
        std::lock_guard lock(mutex);
        return f();
    }

    std::vector<Event> eventsWith(EventCode code) {
        std::lock_guard lock(mutex);
        std::vector<Event> found;
        for (const auto& e : events)
            if (e.code == code) found.push_back(e);
        return found;
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Event> events;
    std::vector<bool> changedFlags;
    std::vector<float> progress_;
    std::optional<std::vector<std::string>> presetList;
    std::vector<int> missingSlots;
    std::optional<std::string> exitMessage;
    bool firmwareTooOld = false;
    std::vector<std::string> trace;
    std::vector<std::chrono::steady_clock::time_point> traceTimes;

private:
    template <typename F>
    void record(F f) {
        {
            std::lock_guard lock(mutex);
            f();
        }
        changed.notify_all();
    }
};

}  // namespace quorvex::testing
