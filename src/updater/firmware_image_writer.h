#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvex::updater {

// What a generated firmware image holds: tags with chosen sizes, sectors, time-outs and
// erase bits, their data filled with seeded pseudo-random bytes. For tests, the
// benchmark and for trying the updater against the virtual boot loader; it is no
// firmware any pedal could run.
struct TagPlan {
    std::size_t size = 1024;
    std::uint16_t sector = 0;
    std::uint32_t timeoutMs = 1000;
    bool erase = true;
    std::uint8_t command = 0x04;
    std::uint8_t replyCommand = 0x05;
};

struct ImagePlan {
    std::string text = "QUORVEX III generated image";
    std::uint8_t eraseReplyCommand = 0x03;
    std::vector<TagPlan> tags;
    std::uint32_t seed = 1;
};

// Header, then the tag records one after another, then the data of each tag.
std::vector<std::uint8_t> buildFirmwareImage(const ImagePlan& plan);
bool writeFirmwareImage(const ImagePlan& plan, const std::string& path);

}  // namespace quorvex::updater
