#pragma once
#include "firmware_image.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorvex::pedal {

// How the virtual boot loader identifies itself, which command numbers it uses and how
// it misbehaves on purpose.
struct BootLoaderOptions {
    std::string socketName = "quorvex-boot";
    std::uint16_t vendor = 0x0483;
    std::uint16_t productId = 0x1514;  // the boot loader enumerates under its own product
    std::uint16_t release = 0x00C8;
    std::string product = "KIRO_QUORVEXIII";
    // 'B' for the boot loader. 'A' makes it answer the probe like a pedal running the
    // application firmware `version` (for trying the updater's other paths).
    char mode = 'B';
    std::string version = "V1.0.0";
    std::uint8_t eraseReply = 0x03;
    std::uint8_t dataCommand = 0x04;
    std::uint8_t dataReply = 0x05;
    bool paced = true;  // at most one report per millisecond each way
    // Every answer leaves this long after its frame came, as a slow boot loader's would.
    std::chrono::milliseconds replyDelay{0};

    bool noHandshakeReply = false;  // ignores the handshake that follows the start command
    bool eraseFails = false;        // answers every erase with result 0
    int failPacket = -1;            // answers data packet N (1-based) with result 0
    int silentAfterPackets = -1;    // answers nothing once N data packets are answered
    int unplugAfterPackets = -1;    // unplugs on receiving data packet N, unanswered
    // Lost and damaged answers as the pedal's LinkFaults draw them; the identity answers
    // to the probe and the handshake are spared.
    double dropRate = 0.0;
    double corruptRate = 0.0;
    std::uint32_t seed = 1;
};

// One data packet as it arrived.
struct WrittenPacket {
    std::uint16_t sector = 0;
    std::vector<std::uint8_t> data;
};

// What the boot loader was told for one area (tag) of the flash.
struct WrittenArea {
    std::size_t tag = 0;
    std::vector<WrittenPacket> packets;
};

// What the boot loader does with each command, without transport: it keeps what is
// erased and written per tag and returns its answers. Not thread-safe; the owner locks.
class BootLoaderCore {
public:
    explicit BootLoaderCore(const BootLoaderOptions& options) : options_(options) {}

    // Handles one frame from the host; answers are appended to `out`.
    void handle(std::uint8_t command, std::span<const std::uint8_t> payload,
                std::vector<std::vector<std::uint8_t>>& out);

    // The answer to the probe and the handshake: one report carrying the identity.
    std::vector<std::uint8_t> identityFrame() const;

    const std::vector<WrittenArea>& areas() const { return areas_; }
    std::size_t dataPackets() const { return dataPackets_; }
    bool jumped() const { return jumped_; }
    bool unplugDue() const {
        return options_.unplugAfterPackets >= 0 &&
               dataPackets_ >= static_cast<std::size_t>(options_.unplugAfterPackets);
    }

    // Whether the flash now holds the image: every erased tag erased once and written in
    // the updater's packet order with the image's bytes, no other tag touched, and the
    // jump received. nullopt when it does; otherwise what differs.
    std::optional<std::string> verify(const updater::FirmwareImage& image) const;

private:
    bool silent() const {
        return options_.silentAfterPackets >= 0 &&
               dataPackets_ >= static_cast<std::size_t>(options_.silentAfterPackets);
    }

    BootLoaderOptions options_;
    std::vector<WrittenArea> areas_;
    std::size_t dataPackets_ = 0;
    bool started_ = false;  // the start command came: the next command 0 is the handshake
    bool jumped_ = false;
};

}  // namespace quorvex::pedal
