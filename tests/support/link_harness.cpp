#include "support/link_harness.h"

#include "virtual_bus_backend.h"

#include <atomic>
#include <unistd.h>

namespace quorvex::testing {

LinkHarness::LinkHarness() {
    static std::atomic<int> counter{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("qvx-bus-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
}

LinkHarness::~LinkHarness() {
    if (link_) link_->shutdown();
    for (auto& p : pedals_) p->stop();
    std::filesystem::remove_all(dir_);
}

pedal::PedalOptions LinkHarness::options(std::string socketName) {
    pedal::PedalOptions result;
    result.socketName = std::move(socketName);
    return result;
}

pedal::VirtualPedal& LinkHarness::addPedal(pedal::PedalOptions options) {
    pedals_.push_back(std::make_unique<pedal::VirtualPedal>(dir_.string(), std::move(options)));
    pedals_.back()->start();
    return *pedals_.back();
}

void LinkHarness::startLink(std::chrono::milliseconds startDelay, std::chrono::milliseconds tick) {
    LinkOptions options;
    options.startDelay = startDelay;
    options.tick = tick;
    link_ = std::make_unique<DeviceThread>(std::make_unique<VirtualBusBackend>(dir_.string()), events, options);
    link_->start();
}

bool LinkHarness::waitForPresets(std::chrono::milliseconds timeout) {
    // The pedal names its current preset after the last record: wait for that too, so
    // that a test starts on a quiet link.
    return events.waitUntil(
        [this] {
            if (!events.presetList) return false;
            for (const auto& e : events.events)
                if (e.code == EventCode::PresetNowChangeUpdateData) return true;
            return false;
        },
        timeout);
}

}  // namespace quorvex::testing
