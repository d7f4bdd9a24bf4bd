#pragma once
#include "firmware_image.h"
#include "firmware_image_writer.h"
#include "libupdate_tavro.h"
#include "virtual_boot_loader.h"
#include "virtual_bus_backend.h"

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace quorvex::testing {

// Probing and waiting shortened so that faults show within a second, yet long enough for a
// busy machine.
inline updater::ProbeTiming fastProbing() {
    return {std::chrono::milliseconds(1000), std::chrono::milliseconds(20), 10, 2};
}
inline updater::UpdateTimeouts fastTimeouts() {
    return {std::chrono::milliseconds(800), std::chrono::milliseconds(800), std::chrono::milliseconds(800)};
}

// Records what the facade reports; calls arrive on the link and worker threads.
class RecordingDelegate : public updater::XBUpdateDelegate {
public:
    void xbUpdateProgress(float value) override { change([&] { progress.push_back(value); }); }
    void xbUpdateSuccess() override { change([&] { succeeded = true; }); }
    void xbUpdateFailed(const std::string& text) override { change([&] { failure = text; }); }
    // Waits for success or failure.
    bool waitForEnd(std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, timeout, [this] { return succeeded || failure; });
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<float> progress;
    bool succeeded = false;
    std::optional<std::string> failure;

private:
    template <typename F>
    void change(F f) {
        std::lock_guard lock(mutex);
        f();
        changed.notify_all();
    }
};

// A private bus folder with a temporary image file.
class BusFolder {
public:
    BusFolder();
    ~BusFolder();
    std::string dir() const { return dir_.string(); }
    // Writes an image into the folder and returns its path.
    std::string writeImage(const std::vector<std::uint8_t>& bytes) const;

private:
    std::filesystem::path dir_;
};

// The image of the acceptance case: 1100 bytes (two full packets and one of 76), exactly
// 1024 bytes, and a tag whose erase bit is clear.
inline updater::ImagePlan threeTagImage() { return {.tags = {{1100, 40}, {1024, 200}, {700, 300, 1000, false}}}; }

// How many frames with this command the boot loader received.
std::size_t countCommand(const pedal::VirtualBootLoader& loader, std::uint8_t command);

// Polls until the condition holds or the time is up; returns the condition's last value.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(2));

// Connects a facade to whatever plays on the bus and runs one update with it.
struct UpdateRun {
    int connected = 0;
    RecordingDelegate delegate;
};
void runUpdate(const std::string& busDir, const std::string& imagePath, UpdateRun& run);

}  // namespace quorvex::testing
