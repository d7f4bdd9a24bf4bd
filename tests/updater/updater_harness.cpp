#include "updater_harness.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <thread>
#include <unistd.h>

namespace quorvex::testing {

BusFolder::BusFolder() {
    static std::atomic<int> counter{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("qvx-upd-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
}

BusFolder::~BusFolder() { std::filesystem::remove_all(dir_); }

std::string BusFolder::writeImage(const std::vector<std::uint8_t>& bytes) const {
    const std::string path = (dir_ / "image.tr").string();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::size_t countCommand(const pedal::VirtualBootLoader& loader, std::uint8_t command) {
    const auto frames = loader.receivedFrames();
    return static_cast<std::size_t>(
        std::count_if(frames.begin(), frames.end(), [command](const auto& f) { return f.command == command; }));
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return condition();
}

void runUpdate(const std::string& busDir, const std::string& imagePath, UpdateRun& run) {
    updater::libupdate_tavro facade(
        std::make_unique<VirtualBusBackend>(busDir), [](const std::function<void()>& call) { call(); }, fastProbing(),
        fastTimeouts());
    facade.setXbDelegate(&run.delegate);
    facade.setPid(0, 0x0483, 0x00C8);
    run.connected = facade.connectDeviceUpdate("KIRO_QUORVEXIII", "V1.1.0");
    if (run.connected != 1) return;
    facade.beginUpdate(imagePath);
    run.delegate.waitForEnd();
}

}  // namespace quorvex::testing
