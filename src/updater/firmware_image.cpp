#include "firmware_image.h"

#include <fstream>
#include <iterator>

namespace quorvex::updater {
namespace {

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16) | static_cast<std::uint32_t>(b[at + 3])
                                                                                      << 24;
}

std::uint16_t le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

// Tag 31 and the tags beyond the 32 bits of the mask are never written.
bool isErased(std::uint32_t mask, std::size_t index) { return index < 31 && (mask >> index & 1U) != 0; }

ImageError tagError(std::size_t index, const std::string& what) {
    return {"tag " + std::to_string(index + 1) + " " + what};
}

}  // namespace

std::variant<FirmwareImage, ImageError> parseFirmwareImage(std::vector<std::uint8_t> bytes) {
    using namespace image;
    if (bytes.empty()) return ImageError{"firmware error"};
    if (bytes.size() < kHeaderSize) return ImageError{"the file is shorter than its 128-byte header"};
    FirmwareImage result;
    const std::size_t count = bytes[kTagCount];
    if (kHeaderSize + count * kTagSize > bytes.size()) {
        return ImageError{"the header names " + std::to_string(count) + " tags, more than the file holds"};
    }
    const auto textBegin = bytes.begin() + kText;
    result.text.assign(textBegin, textBegin + kTextSize);
    result.text.resize(result.text.find('\0') == std::string::npos ? kTextSize : result.text.find('\0'));
    result.eraseReplyCommand = bytes[kEraseReply];
    result.eraseMask = le32(bytes, kEraseMask);

    std::size_t offset = kHeaderSize;
    for (std::size_t i = 0; i < count; ++i) {
        if (offset > bytes.size() || bytes.size() - offset < kTagSize) return tagError(i, "lies outside the file");
        FirmwareTag tag;
        const std::uint32_t startPlusOne = le32(bytes, offset + kTagDataStart);
        const auto size = static_cast<std::int32_t>(le32(bytes, offset + kTagDataSize));
        tag.command = bytes[offset + kTagCommand];
        tag.replyCommand = bytes[offset + kTagReply];
        tag.timeoutMs = le32(bytes, offset + kTagTimeout);
        tag.sector = le16(bytes, offset + kTagSector);
        tag.erased = isErased(result.eraseMask, i);
        if (tag.erased) {
            if (startPlusOne == 0 || size < 0) return tagError(i, "has no valid data area");
            tag.dataOffset = startPlusOne - 1;
            tag.dataSize = static_cast<std::size_t>(size);
            if (tag.dataOffset > bytes.size() || bytes.size() - tag.dataOffset < tag.dataSize) {
                return tagError(i, "has data beyond the end of the file");
            }
        }
        result.tags.push_back(tag);
        offset = le32(bytes, offset + kTagNext);
    }
    result.bytes = std::move(bytes);
    return result;
}

std::variant<FirmwareImage, ImageError> readFirmwareImage(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return ImageError{"cannot open " + path};
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return ImageError{"cannot read " + path};
    return parseFirmwareImage(std::move(bytes));
}

}  // namespace quorvex::updater
