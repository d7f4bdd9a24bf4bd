#include "crc16.h"
#include "frame.h"
#include "frame_parser.h"
#include "rx_ring.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvex {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(Crc16, MatchesTheGsmCheckValue) {
    const Bytes abc = {'a', 'b', 'c'};
    EXPECT_EQ(crc16(abc.data(), abc.size()), 0x6229);
    const Bytes digits = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(crc16(digits.data(), digits.size()), 0xCE3C);
    EXPECT_EQ(crc16(abc.data(), 0), 0xFFFF);
}

TEST(Frame, StartAndHelloFramesOnTheWire) {
    EXPECT_EQ(buildFrame(0x00, Bytes{0x00}), (Bytes{0xAA, 0x55, 0x02, 0x00, 0x00, 0x00, 0x12, 0x97}));
    EXPECT_EQ(buildFrame(0xE0, Bytes{}), (Bytes{0xAA, 0x55, 0x01, 0x00, 0xE0, 0x35, 0xE1}));
}

TEST(Frame, CutIntoReportsByCountByte) {
    auto sizes = [](std::size_t n) {
        Bytes frame(n, 0x11);
        std::vector<int> counts;
        for (const Report& r : cutIntoReports(frame.data(), frame.size())) counts.push_back(r[0]);
        return counts;
    };
    EXPECT_EQ(sizes(7), std::vector<int>{7});
    EXPECT_EQ(sizes(63), std::vector<int>{63});
    EXPECT_EQ(sizes(64), (std::vector<int>{63, 1}));
    EXPECT_EQ(sizes(126), (std::vector<int>{63, 63}));
    EXPECT_EQ(sizes(522), (std::vector<int>{63, 63, 63, 63, 63, 63, 63, 63, 18}));

    Bytes frame(70);
    for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<std::uint8_t>(i);
    const auto reports = cutIntoReports(frame.data(), frame.size());
    EXPECT_EQ(reports[1][1], 63);
    EXPECT_EQ(reports[1][7], 69);
    EXPECT_EQ(reports[1][8], 0);  // unused bytes are zero
}

TEST(Frame, DiaryLinesShowNineBytes) {
    const Bytes frame = buildFrame(0x90, Bytes{0x00, 0x01, 0x00, 0x02});
    EXPECT_EQ(sendLine(frame.data()), "\U0001F31Esend:aa 55 05 00 90 00 01 00 02 ....");
    EXPECT_EQ(receiveLine(frame.data()), "\u2614\uFE0Freceive:aa 55 05 00 90 00 01 00 02 ....");
}

TEST(RxRing, AllOrNothingAndWraps) {
    RxRing ring;
    Bytes big(RxRing::kCapacity - 10, 1);
    ASSERT_TRUE(ring.put(big.data(), big.size()));
    const Bytes twenty(20, 2);
    EXPECT_FALSE(ring.put(twenty.data(), twenty.size()));
    EXPECT_EQ(ring.size(), big.size());
    Bytes out(big.size());
    ASSERT_TRUE(ring.get(out.size(), out.data()));
    // Now the write index sits near the end: these bytes wrap around.
    Bytes wrapped(30);
    for (std::size_t i = 0; i < wrapped.size(); ++i) wrapped[i] = static_cast<std::uint8_t>(100 + i);
    ASSERT_TRUE(ring.put(wrapped.data(), wrapped.size()));
    Bytes back(31);
    EXPECT_FALSE(ring.get(31, back.data()));
    ASSERT_TRUE(ring.get(30, back.data()));
    back.resize(30);
    EXPECT_EQ(back, wrapped);
    EXPECT_TRUE(ring.put(nullptr, 0));
}

// Feeds bytes to a parser and collects the delivered frames.
class ParserTest : public ::testing::Test {
protected:
    void feed(const Bytes& bytes) { ASSERT_TRUE(ring.put(bytes.data(), bytes.size())); }
    void runUntilIdle() {
        for (int i = 0; i < 2000 && ring.size() > 0; ++i) parser.run();
        parser.run();
    }
    RxRing ring;
    std::vector<Bytes> frames;
    FrameParser parser{ring, [this](const std::uint8_t* f, std::size_t n) { frames.emplace_back(f, f + n); }};
};

TEST_F(ParserTest, FrameSplitAcrossReportsAndTwoInOne) {
    const Bytes a = buildFrame(0x99, Bytes(12, 7));
    const Bytes b = buildFrame(0xA2, Bytes{42});
    feed(Bytes(a.begin(), a.begin() + 5));
    parser.run();
    EXPECT_TRUE(frames.empty());
    Bytes rest(a.begin() + 5, a.end());
    rest.insert(rest.end(), b.begin(), b.end());
    feed(rest);
    parser.run();  // one run takes every complete frame
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], a);
    EXPECT_EQ(frames[1], b);
}

TEST_F(ParserTest, GarbageBeforeAFrameIsSkippedInOneRun) {
    // Record content without its frame start, as when the report carrying the start is
    // lost: one run must get past all of it, or the ring fills up faster than it drains.
    Bytes bytes(600, 0x42);
    const Bytes good = buildFrame(0xA2, Bytes{9});
    bytes.insert(bytes.end(), good.begin(), good.end());
    feed(bytes);
    parser.run();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], good);
    EXPECT_EQ(ring.size(), 0u);
}

TEST_F(ParserTest, WrongSecondMarkResynchronisesOnNextMarkAlreadyRead) {
    // AA 00 ... is abandoned; the AA inside the bytes already read starts the good frame.
    Bytes bytes = {0xAA, 0xAA};
    const Bytes good = buildFrame(0xA2, Bytes{5});
    bytes.insert(bytes.end(), good.begin() + 1, good.end());
    feed(bytes);
    runUntilIdle();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], good);
}

TEST_F(ParserTest, OversizedLengthIsRejectedBeforeTheBody) {
    feed(Bytes{0xAA, 0x55, 0xFB, 0x03});  // length 1019
    parser.run();
    EXPECT_EQ(parser.state(), 0);
    const Bytes good = buildFrame(0xA2, Bytes{1});
    feed(good);
    runUntilIdle();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], good);

    frames.clear();
    const Bytes longest = buildFrame(0xAB, Bytes(1017, 3));  // length 1018 is accepted
    feed(longest);
    runUntilIdle();
    ASSERT_EQ(frames.size(), 1u);
}

TEST_F(ParserTest, CorruptedCheckValueIsDroppedAndNextFrameDelivered) {
    Bytes bad = buildFrame(0x90, Bytes(12, 1));
    bad.back() ^= 0xFF;
    const Bytes good = buildFrame(0x91, Bytes(10, 2));
    feed(bad);
    feed(good);
    runUntilIdle();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], good);
}

TEST_F(ParserTest, FramesHiddenInsideARejectedOneAreAllFound) {
    // A false start whose length swallows two real frames: both are recovered, the
    // second from the bytes read past the first.
    const Bytes first = buildFrame(0xA2, Bytes{77});
    const Bytes second = buildFrame(0xA2, Bytes{78});
    Bytes bytes = {0xAA, 0x55, 0x10, 0x00, 0x90};
    bytes.insert(bytes.end(), first.begin(), first.end());
    bytes.insert(bytes.end(), second.begin(), second.end());
    bytes.resize(bytes.size() + 8, 0x00);
    feed(bytes);
    runUntilIdle();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0], first);
    EXPECT_EQ(frames[1], second);
}

}  // namespace
}  // namespace quorvex
