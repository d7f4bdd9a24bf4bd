#include "firmware_image_writer.h"

#include "firmware_image.h"

#include <algorithm>
#include <fstream>

namespace quorvex::updater {
namespace {

void putLe(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<std::uint8_t> buildFirmwareImage(const ImagePlan& plan) {
    using namespace image;
    const std::size_t count = plan.tags.size();
    std::size_t dataSize = 0;
    for (const TagPlan& tag : plan.tags) dataSize += tag.size;
    std::vector<std::uint8_t> b(kHeaderSize + count * kTagSize + dataSize, 0);

    std::copy_n(plan.text.begin(), std::min(plan.text.size(), kTextSize), b.begin() + kText);
    b[kEraseReply] = plan.eraseReplyCommand;
    b[kTagCount] = static_cast<std::uint8_t>(count);
    std::uint32_t mask = 0;
    std::size_t dataAt = kHeaderSize + count * kTagSize;
    std::uint32_t noise = plan.seed * 2654435761U + 1U;
    for (std::size_t i = 0; i < count; ++i) {
        const TagPlan& tag = plan.tags[i];
        if (tag.erase && i < 32) mask |= 1U << i;
        const std::size_t record = kHeaderSize + i * kTagSize;
        putLe(b, record + kTagDataStart, static_cast<std::uint32_t>(dataAt + 1), 4);
        putLe(b, record + kTagNext, static_cast<std::uint32_t>(record + kTagSize), 4);
        putLe(b, record + kTagDataSize, static_cast<std::uint32_t>(tag.size), 4);
        b[record + kTagCommand] = tag.command;
        b[record + kTagReply] = tag.replyCommand;
        putLe(b, record + kTagTimeout, tag.timeoutMs, 4);
        putLe(b, record + kTagSector, tag.sector, 2);
        for (std::size_t k = 0; k < tag.size; ++k) {
            noise = noise * 1664525U + 1013904223U;
            b[dataAt + k] = static_cast<std::uint8_t>(noise >> 24);
        }
        dataAt += tag.size;
    }
    putLe(b, kEraseMask, mask, 4);
    return b;
}

bool writeFirmwareImage(const ImagePlan& plan, const std::string& path) {
    const std::vector<std::uint8_t> bytes = buildFirmwareImage(plan);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace quorvex::updater
