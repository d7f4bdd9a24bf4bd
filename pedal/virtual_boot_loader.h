#pragma once
#include "boot_loader_core.h"
#include "virtual_pedal.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvex::pedal {

// The pedal in its boot loader, on the virtual bus: it identifies with mode "B" under
// its own product number, answers the handshake, erase and data commands, keeps what is
// written per tag and can misbehave on purpose (see BootLoaderOptions).
class VirtualBootLoader {
public:
    VirtualBootLoader(std::string busDir, BootLoaderOptions options = {});
    ~VirtualBootLoader();
    VirtualBootLoader(const VirtualBootLoader&) = delete;
    VirtualBootLoader& operator=(const VirtualBootLoader&) = delete;

    // Creates the socket and serves on a thread of its own. False on failure.
    bool start();
    // Stops serving and removes the socket (an unplug as the host sees it).
    void stop();
    bool pluggedIn() const;

    // Inspection, thread-safe copies.
    std::vector<ReceivedFrame> receivedFrames() const;
    std::vector<WrittenArea> areas() const;
    std::optional<std::string> verify(const updater::FirmwareImage& image) const;
    bool jumped() const;
    std::string socketPath() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace quorvex::pedal
