#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace quorvex::updater {

// Layout of a firmware image (all numbers little-endian): a 128-byte header, then a chain
// of 512-byte tag records, each naming the area of the file that holds its data.
namespace image {
inline constexpr std::size_t kHeaderSize = 128;
inline constexpr std::size_t kTagSize = 512;
inline constexpr std::size_t kText = 9;  // 32 bytes of text, logged only
inline constexpr std::size_t kTextSize = 32;
inline constexpr std::size_t kEraseReply = 42;  // reply command of the erase command
inline constexpr std::size_t kTagCount = 47;
inline constexpr std::size_t kEraseMask = 48;
inline constexpr std::size_t kTagDataStart = 9;  // data offset + 1
inline constexpr std::size_t kTagNext = 13;      // file offset of the next tag record
inline constexpr std::size_t kTagDataSize = 17;  // signed
inline constexpr std::size_t kTagCommand = 21;
inline constexpr std::size_t kTagReply = 22;
inline constexpr std::size_t kTagTimeout = 23;  // milliseconds
inline constexpr std::size_t kTagSector = 27;   // 16 bits
}  // namespace image

// One tag as the engine uses it.
struct FirmwareTag {
    std::size_t dataOffset = 0;
    std::size_t dataSize = 0;
    std::uint8_t command = 0;
    std::uint8_t replyCommand = 0;
    std::uint32_t timeoutMs = 0;
    std::uint16_t sector = 0;
    bool erased = false;  // its erase-mask bit is set (and it is not tag 31): erased and written
};

// A firmware image read whole and checked: every tag record, and the data of every tag
// that is written, lies inside the file.
struct FirmwareImage {
    std::vector<std::uint8_t> bytes;
    std::string text;
    std::uint8_t eraseReplyCommand = 0;
    std::uint32_t eraseMask = 0;
    std::vector<FirmwareTag> tags;

    // Bytes counted for progress: the file without its header and tag records.
    std::size_t totalDataSize() const { return bytes.size() - image::kHeaderSize - tags.size() * image::kTagSize; }
    const std::uint8_t* data(const FirmwareTag& tag) const { return bytes.data() + tag.dataOffset; }
};

// Why an image cannot be used, in words for the failure message.
struct ImageError {
    std::string reason;
};

std::variant<FirmwareImage, ImageError> parseFirmwareImage(std::vector<std::uint8_t> bytes);
std::variant<FirmwareImage, ImageError> readFirmwareImage(const std::string& path);

}  // namespace quorvex::updater
