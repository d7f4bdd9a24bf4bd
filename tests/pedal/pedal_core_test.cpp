// What the editor's tests rely on when they talk to the virtual pedal: the answer to
// command 224 and the acknowledgements.
#include "crc16.h"
#include "factory_content.h"
#include "frame.h"
#include "pedal_core.h"

#include <gtest/gtest.h>

namespace quorvex::pedal {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Sent {
    std::uint8_t command = 0;
    Bytes payload;
};

// A frame's command and payload, once its marks, length and check value are proved.
Sent opened(const Frame& f) {
    EXPECT_GE(f.size(), kFrameOverhead);
    EXPECT_EQ(f[0], kMark1);
    EXPECT_EQ(f[1], kMark2);
    EXPECT_EQ(frameLength(f.data()) + kFrameOverhead, f.size());
    EXPECT_EQ(f[f.size() - 2] << 8 | f.back(), crc16(f.data() + 2, f.size() - 4));
    return {f[4], Bytes(f.begin() + kHeaderSize, f.end() - 2)};
}

std::vector<Sent> handled(PedalCore& pedal, std::uint8_t command, const Bytes& payload) {
    std::vector<Frame> out;
    pedal.handle(command, payload, out);
    std::vector<Sent> answers;
    for (const Frame& f : out) answers.push_back(opened(f));
    return answers;
}

TEST(PedalStateDump, SettingsAndSoundThenEveryPresetThenTheCurrentOne) {
    PedalCore pedal(factoryMemory(), {}, true);
    const auto answers = handled(pedal, command::kSendState, {});
    const std::uint8_t order[] = {133, 227, 161, 159, 137, 164, 163, 144, 145, 147,
                                  148, 149, 150, 151, 152, 153, 160, 162};
    const std::size_t settings = std::size(order);
    ASSERT_EQ(answers.size(), settings + kSlotCount + 1);
    for (std::size_t i = 0; i < settings; ++i) EXPECT_EQ(answers[i].command, order[i]) << "position " << i;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const Sent& record = answers[settings + static_cast<std::size_t>(slot)];
        ASSERT_EQ(record.command, 165);
        ASSERT_EQ(record.payload.size(), 2 + kRecordSize);
        EXPECT_EQ(record.payload[0] + 256 * record.payload[1], slot);
    }
    EXPECT_EQ(nameText(answers[settings + 4].payload.data() + 2 + record::kName), "CLEAN");
    // Last, so that the editor already holds the record it shows.
    EXPECT_EQ(answers.back().command, 166);
    EXPECT_EQ(answers.back().payload, (Bytes{0, 0}));
}

// What a transfer is answered with, and that it is not answered when told so.
TEST(PedalAcknowledgements, TransfersAreAnsweredUnlessTheFaultSaysNo) {
    struct Case {
        const char* what;
        std::uint8_t command;
        Bytes payload;
        std::vector<std::uint8_t> answers;  // commands, in order
        Bytes lastStarts;                   // the first bytes of the last answer
    };
    Bytes save{4, 1, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P'};  // slot 260
    Bytes write(1 + kRecordSize, 0x33);
    write[0] = 9;
    const Case cases[] = {
        // The stored record first, then the confirmation with the slot's low byte and 15 name bytes.
        {"save", 168, save, {169, 168}, {4, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O'}},
        {"preset write", 229, write, {229}, {9}},
        {"IR chunk", 225, {2, 3, 0x10}, {225}, {3}},
        {"backup block", 170, {4, 1, 1}, {170}, {4, 1, 1}},
        {"backup of an empty slot", 170, {2, 3, 1}, {170}, {2, 3, 255}},
        {"restore block", 171, {3, 1, 1, 9, 0, 1}, {171}, {3, 1, 1}},
        {"preset change", 166, {1, 1}, {}, {}},
    };
    for (const Case& c : cases) {
        PedalCore acknowledging(factoryMemory(), {}, true);
        const auto answers = handled(acknowledging, c.command, c.payload);
        std::vector<std::uint8_t> commands;
        for (const Sent& s : answers) commands.push_back(s.command);
        EXPECT_EQ(commands, c.answers) << c.what;
        if (!answers.empty()) {
            const Bytes& last = answers.back().payload;
            ASSERT_GE(last.size(), c.lastStarts.size()) << c.what;
            EXPECT_TRUE(std::equal(c.lastStarts.begin(), c.lastStarts.end(), last.begin())) << c.what;
        }
        PedalCore silent(factoryMemory(), {}, false);
        EXPECT_TRUE(handled(silent, c.command, c.payload).empty()) << c.what;
    }
}

TEST(PedalAcknowledgements, SavedRecordCarriesTheLiveSoundUnderTheNewName) {
    PedalCore pedal(factoryMemory(), {}, true);
    handled(pedal, 144, {0, 1, 0, 8, 0, 11, 0, 22, 0, 33, 0, 44});
    const auto answers = handled(pedal, 168, {10, 0, 'M', 'Y', ' ', 'S', 'O', 'U', 'N', 'D'});
    ASSERT_EQ(answers.size(), 2u);
    const PresetRecord& stored = pedal.memory().presets[10];
    EXPECT_EQ(recordName(stored), "MY SOUND");
    EXPECT_EQ(moduleValuesFromRecord(stored, Module::Fx)[5], 44u);
    EXPECT_TRUE(std::equal(stored.begin(), stored.end(), answers[0].payload.begin() + 2));
    PedalCore noEcho(factoryMemory(), {}, true, false);
    const auto confirmed = handled(noEcho, 168, {10, 0, 'X'});
    EXPECT_TRUE(confirmed.size() == 1 && confirmed[0].command == 168);
}

}  // namespace
}  // namespace quorvex::pedal
