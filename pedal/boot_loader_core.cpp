#include "boot_loader_core.h"

#include "boot_loader_commands.h"
#include "frame.h"
#include "pedal_core.h"

#include <algorithm>
#include <bit>

namespace quorvex::pedal {
namespace {

using namespace bootloader;

std::vector<std::uint8_t> answer(std::uint8_t command, std::uint8_t result) {
    const std::uint8_t payload[] = {result};
    return buildFrame(command, payload);
}

std::string tagName(std::size_t tag) { return "tag " + std::to_string(tag + 1); }

}  // namespace

std::vector<std::uint8_t> BootLoaderCore::identityFrame() const {
    // The same places as the application's identity report: the product from report
    // byte 6, the version from byte 45 and the mode letter at byte 59.
    std::vector<std::uint8_t> payload(identity::kPayloadSize, 0);
    std::copy_n(options_.product.begin(), std::min(identity::kProductSize, options_.product.size()), payload.begin());
    std::copy_n(options_.version.begin(), std::min<std::size_t>(6, options_.version.size()),
                payload.begin() + identity::kHardware);
    payload[identity::kMode] = static_cast<std::uint8_t>(options_.mode);
    return buildFrame(kHandshakeReply, payload);
}

void BootLoaderCore::handle(std::uint8_t command, std::span<const std::uint8_t> payload,
                            std::vector<std::vector<std::uint8_t>>& out) {
    if (silent()) return;
    if (command == kStart) {
        started_ = true;
    } else if (command == kHandshake) {
        if (!(started_ && options_.noHandshakeReply)) out.push_back(identityFrame());
    } else if (command == kErase) {
        std::uint32_t mask = 0;
        for (std::size_t i = 0; i < 4 && i < payload.size(); ++i)
            mask |= static_cast<std::uint32_t>(payload[i]) << (8 * i);
        const bool valid = payload.size() == 4 && std::has_single_bit(mask) && !options_.eraseFails;
        if (valid) areas_.push_back({static_cast<std::size_t>(std::countr_zero(mask)), {}});
        out.push_back(answer(options_.eraseReply, valid ? 1 : 0));
    } else if (command == options_.dataCommand) {
        ++dataPackets_;
        if (unplugDue()) return;
        const bool valid = payload.size() >= 3 && payload.size() <= 2 + kPageSize && !areas_.empty();
        if (valid) {
            const auto sector = static_cast<std::uint16_t>(payload[0] << 8 | payload[1]);
            areas_.back().packets.push_back({sector, {payload.begin() + 2, payload.end()}});
        }
        const bool ok = valid && static_cast<int>(dataPackets_) != options_.failPacket;
        out.push_back(answer(options_.dataReply, ok ? 1 : 0));
    } else if (command == kJump) {
        jumped_ = true;
    }
}

std::optional<std::string> BootLoaderCore::verify(const updater::FirmwareImage& image) const {
    std::size_t next = 0;  // the next written area expected
    for (std::size_t t = 0; t < image.tags.size(); ++t) {
        const updater::FirmwareTag& tag = image.tags[t];
        if (!tag.erased) continue;
        if (next >= areas_.size() || areas_[next].tag != t) return tagName(t) + " was not erased in turn";
        const auto& packets = areas_[next++].packets;
        const std::size_t pages = tag.dataSize / kPageSize;
        const std::size_t expected = pages + (tag.dataSize % kPageSize != 0 ? 1 : 0);
        if (packets.size() != expected) {
            return tagName(t) + " got " + std::to_string(packets.size()) + " packets, not " + std::to_string(expected);
        }
        for (std::size_t p = 0; p < packets.size(); ++p) {
            const std::size_t sector = tag.sector + (p < pages ? p : pages + 1);
            const std::size_t size = std::min(kPageSize, tag.dataSize - p * kPageSize);
            const std::uint8_t* data = image.data(tag) + p * kPageSize;
            if (packets[p].sector != static_cast<std::uint16_t>(sector))
                return tagName(t) + " packet with a wrong sector";
            if (!std::equal(packets[p].data.begin(), packets[p].data.end(), data, data + size)) {
                return tagName(t) + " packet " + std::to_string(p + 1) + " holds other data";
            }
        }
    }
    if (next != areas_.size()) return std::string("an area the image does not write was erased");
    if (!jumped_) return std::string("the new firmware was not started");
    return std::nullopt;
}

}  // namespace quorvex::pedal
