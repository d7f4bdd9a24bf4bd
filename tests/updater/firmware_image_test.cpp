#include "firmware_image.h"
#include "firmware_image_writer.h"
#include "updater_harness.h"

#include <gtest/gtest.h>

#include <functional>

namespace quorvex::updater {
namespace {

using Bytes = std::vector<std::uint8_t>;

void putLe32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::size_t tagRecord(std::size_t index) { return image::kHeaderSize + index * image::kTagSize; }

struct BadImage {
    const char* name;
    std::function<void(Bytes&)> damage;
    const char* reason;
};

class FirmwareImageBounds : public ::testing::TestWithParam<BadImage> {};

TEST_P(FirmwareImageBounds, IsRefusedWithItsReason) {
    Bytes bytes = buildFirmwareImage(testing::threeTagImage());
    GetParam().damage(bytes);
    const auto parsed = parseFirmwareImage(bytes);
    ASSERT_TRUE(std::holds_alternative<ImageError>(parsed));
    EXPECT_EQ(std::get<ImageError>(parsed).reason, GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FirmwareImageBounds,
    ::testing::Values(
        BadImage{"Empty", [](Bytes& b) { b.clear(); }, "firmware error"},
        BadImage{"ShorterThanHeader", [](Bytes& b) { b.resize(100); }, "the file is shorter than its 128-byte header"},
        BadImage{"TooManyTags", [](Bytes& b) { b[image::kTagCount] = 9; },
                 "the header names 9 tags, more than the file holds"},
        BadImage{"ChainOutsideFile", [](Bytes& b) { putLe32(b, tagRecord(0) + image::kTagNext, 0xFFFFFF00U); },
                 "tag 2 lies outside the file"},
        BadImage{
            "ChainIntoLastBytes",
            [](Bytes& b) { putLe32(b, tagRecord(0) + image::kTagNext, static_cast<std::uint32_t>(b.size() - 100)); },
            "tag 2 lies outside the file"},
        BadImage{
            "DataStartBeyondEnd",
            [](Bytes& b) { putLe32(b, tagRecord(0) + image::kTagDataStart, static_cast<std::uint32_t>(b.size() + 2)); },
            "tag 1 has data beyond the end of the file"},
        BadImage{"DataSizeBeyondEnd",
                 [](Bytes& b) { putLe32(b, tagRecord(1) + image::kTagDataSize, static_cast<std::uint32_t>(b.size())); },
                 "tag 2 has data beyond the end of the file"},
        BadImage{"NegativeSize", [](Bytes& b) { putLe32(b, tagRecord(0) + image::kTagDataSize, 0xFFFFFFF0U); },
                 "tag 1 has no valid data area"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(FirmwareImage, SkippedTagIsNotHeldToItsDataArea) {
    Bytes bytes = buildFirmwareImage(testing::threeTagImage());
    putLe32(bytes, tagRecord(2) + image::kTagDataStart, 0xFFFFFFF0U);
    EXPECT_TRUE(std::holds_alternative<FirmwareImage>(parseFirmwareImage(bytes)));
}

}  // namespace
}  // namespace quorvex::updater
