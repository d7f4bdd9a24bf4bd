#pragma once
#include "device_thread.h"
#include "support/recording_events.h"
#include "virtual_pedal.h"

#include <filesystem>
#include <memory>
#include <string>

namespace quorvex::testing {

// A link and virtual pedals on a private virtual bus in a temporary folder.
class LinkHarness {
public:
    LinkHarness();
    ~LinkHarness();

    pedal::VirtualPedal& addPedal(pedal::PedalOptions options);
    pedal::VirtualPedal& addPedal() { return addPedal(options()); }
    // A shorter tick than the real 10 ms runs the scheduler's ring faster.
    void startLink(std::chrono::milliseconds startDelay = std::chrono::milliseconds(20),
                   std::chrono::milliseconds tick = std::chrono::milliseconds(10));
    // Waits for the whole preset list (slot 299 received) and the current preset.
    bool waitForPresets(std::chrono::milliseconds timeout = std::chrono::seconds(20));

    // A pedal paced like the real one: the link's receive ring is sized for that rate.
    static pedal::PedalOptions options(std::string socketName = "quorvex-iii");

    std::string busDir() const { return dir_.string(); }
    DeviceThread& link() { return *link_; }
    RecordingEvents events;

private:
    std::filesystem::path dir_;
    std::vector<std::unique_ptr<pedal::VirtualPedal>> pedals_;
    std::unique_ptr<DeviceThread> link_;
};

}  // namespace quorvex::testing
