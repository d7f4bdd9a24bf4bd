#include "command_encoder.h"
#include "frame.h"
#include "send_ring.h"
#include "support/wire_words.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace quorvex {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::be16s;

class EncoderTest : public ::testing::Test {
protected:
    // Stores the values and returns the payload the scheduler would send for command.
    std::optional<Bytes> send(BlockType type, std::vector<std::uint32_t> values, std::uint8_t command, int index = -1) {
        encoder.store(type, values.data(), static_cast<int>(values.size()), index);
        return build(command);
    }
    std::optional<Bytes> build(std::uint8_t command) {
        std::array<std::uint8_t, 1024> frame{};
        const std::size_t length = encoder.buildFrame(command, frame.data());
        if (length == 0) return std::nullopt;
        EXPECT_EQ(frame[4], command);
        EXPECT_EQ(frameLength(frame.data()), length);
        return Bytes(frame.begin() + 5, frame.begin() + 5 + static_cast<std::ptrdiff_t>(length - 1));
    }
    static std::vector<std::uint32_t> counting(std::size_t n, std::uint32_t from = 1) {
        std::vector<std::uint32_t> v(n);
        std::iota(v.begin(), v.end(), from);
        return v;
    }
    ParameterBlocks blocks;
    CommandEncoder encoder{blocks};
};

TEST_F(EncoderTest, ModuleBlocksGoOutAsBigEndianWords) {
    struct Row { BlockType type; std::uint8_t command; std::size_t count; };
    const Row rows[] = {{BlockType::FX, 144, 6},  {BlockType::DS, 145, 5},  {BlockType::AMP, 147, 8},
                        {BlockType::CAB, 148, 6}, {BlockType::NS, 149, 5},  {BlockType::EQ, 150, 11},
                        {BlockType::MOD, 151, 7}, {BlockType::REVERB, 153, 6}};
    for (const Row& row : rows) {
        const auto values = counting(row.count, 0x0101);
        const auto payload = send(row.type, values, row.command);
        ASSERT_TRUE(payload) << int(row.command);
        EXPECT_EQ(*payload, be16s(values)) << int(row.command);
        EXPECT_FALSE(build(row.command)) << "flag cleared after sending";
    }
}

TEST_F(EncoderTest, DelayTailDependsOnTheModel) {
    auto dual = send(BlockType::DELAY, {1, 9, 3, 4, 5, 6, 7, 800, 900}, 152);
    ASSERT_TRUE(dual);
    EXPECT_EQ(*dual, be16s({1, 9, 3, 4, 5, 6, 800, 900}));
    auto plain = send(BlockType::DELAY, {1, 8, 3, 4, 5, 6, 7, 800, 900}, 152);
    ASSERT_TRUE(plain);
    Bytes expected = be16s({1, 8, 3, 4, 5, 6, 7});
    expected.insert(expected.end(), {0x00, 0x02});
    EXPECT_EQ(*plain, expected);
}

TEST_F(EncoderTest, GlobalBlocksAsBytes) {
    EXPECT_EQ(send(BlockType::SYSTEM, counting(10), 161), Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(send(BlockType::FSMODE, {4, 2}, 137), Bytes({2}));  // single values keep the last
    EXPECT_EQ(send(BlockType::EXP, counting(7), 163), Bytes({1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(send(BlockType::UICMD, {8, 0}, 130), Bytes({8, 0}));
    EXPECT_EQ(send(BlockType::CURRENT, {44, 1}, 166), Bytes({44, 1}));
    EXPECT_EQ(send(BlockType::PRESET_VOL, {77}, 162), Bytes({77}));
    EXPECT_EQ(send(BlockType::EXP_MERGE, {2}, 135), Bytes({2}));
    const auto chain = counting(18);
    EXPECT_EQ(send(BlockType::CHAIN, chain, 160), Bytes(chain.begin(), chain.end()));
    auto save = counting(18, 60);
    save[0] = 10;
    save[1] = 0;
    EXPECT_EQ(send(BlockType::SAVE, save, 168), Bytes(save.begin(), save.end()));
    // Global EQ: nine of its ten bytes.
    EXPECT_EQ(send(BlockType::GLBI_EQ, counting(10), 159), Bytes({1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(EncoderTest, PresetRecordsForTheCurrentSoundAndForASlot) {
    std::vector<std::uint32_t> record(512);
    for (std::size_t i = 0; i < record.size(); ++i) record[i] = static_cast<std::uint32_t>(i);
    const auto current = send(BlockType::RECORD_CURRENT, record, 131);
    ASSERT_TRUE(current);
    ASSERT_EQ(current->size(), 512u);
    EXPECT_EQ((*current)[300], 300 & 0xFF);

    const auto write = send(BlockType::RECORD_WRITE, record, 229, 0);
    ASSERT_TRUE(write) << "slot 0 is a valid write";
    ASSERT_EQ(write->size(), 513u);
    EXPECT_EQ((*write)[0], 0);
    EXPECT_EQ((*write)[1], 0);

    EXPECT_FALSE(send(BlockType::RECORD_WRITE, record, 229, -1)) << "no slot: dropped";
    EXPECT_FALSE(encoder.dirty(229)) << "and its flag cleared";
}

TEST_F(EncoderTest, IrDeleteAndBackupExchange) {
    blocks.IrDeleteSlot = 5;
    encoder.raise(228);
    EXPECT_EQ(build(228), Bytes({5}));

    blocks.BackupXfer.kind = 4;
    blocks.BackupXfer.number = 200;
    blocks.BackupXfer.part = 1;
    blocks.BackupXfer.data.fill(0x5A);
    encoder.raise(170);
    EXPECT_EQ(build(170), Bytes({4, 200, 1}));
    encoder.raise(171);
    const auto write = build(171);
    ASSERT_TRUE(write);
    ASSERT_EQ(write->size(), 515u);
    EXPECT_EQ((*write)[3], 0x5A);
}

// Against a pedal that answers at once, the next block goes out on every tick whose step
// has nothing due, while the edits keep their steps; paced, one block per turn of the ring.
TEST_F(EncoderTest, TransferBlocksTakeTheFreeTicksUnlessPaced) {
    for (const bool paced : {false, true}) {
        SendRing ring;
        std::array<std::uint8_t, 1024> frame{};
        encoder.raise(cmd::Fx);
        encoder.raise(cmd::Reverb);
        encoder.raise(cmd::BackupRead);
        for (std::size_t tick = 0; tick < 2 * kSchedulerRing.size(); ++tick) {
            const std::uint8_t sent = ring.tick(encoder, frame.data(), paced) > 0 ? frame[4] : 0;
            if (sent == cmd::BackupRead) encoder.raise(cmd::BackupRead);
            const std::uint8_t step = kSchedulerRing[tick % kSchedulerRing.size()];
            const std::uint8_t edit = tick == 0 ? cmd::Fx : tick == 8 ? cmd::Reverb : 0;
            EXPECT_EQ(sent, edit ? edit : !paced || step == cmd::BackupRead ? cmd::BackupRead : 0) << paced << " " << tick;
        }
    }
}

// A record loaded to be saved into a slot: a module edit and a preset change made after
// the load's frame follow the save's frame, so the slot gets the record as loaded; a
// backup block does not wait.
TEST_F(EncoderTest, SoundEditsFollowTheSaveOfALoadedRecord) {
    SendRing ring;
    std::array<std::uint8_t, 1024> frame{};
    std::vector<std::uint8_t> sent;
    encoder.saveNextLoad();
    encoder.raise(cmd::RecordCurrent);
    for (std::size_t tick = 0; tick < 3 * kSchedulerRing.size(); ++tick) {
        if (ring.tick(encoder, frame.data(), true) == 0) continue;
        sent.push_back(frame[4]);
        if (frame[4] != cmd::RecordCurrent) continue;
        for (const std::uint8_t command : {cmd::Fx, cmd::CurrentPreset, cmd::Save, cmd::BackupRead}) encoder.raise(command);
    }
    EXPECT_EQ(sent, (std::vector<std::uint8_t>{cmd::RecordCurrent, cmd::BackupRead, cmd::Save, cmd::CurrentPreset, cmd::Fx}));
}

}  // namespace
}  // namespace quorvex
