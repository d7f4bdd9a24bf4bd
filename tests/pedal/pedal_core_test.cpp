// What the editor's tests rely on when they talk to the virtual pedal: the identity
// answer, the answer to command 224, the acknowledgements, and the faults it injects.
#include "crc16.h"
#include "factory_content.h"
#include "frame.h"
#include "link_faults.h"
#include "pedal_core.h"

#include <gtest/gtest.h>

#include <string>

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

std::string text(const Bytes& payload, std::size_t at, std::size_t size) {
    return std::string(payload.begin() + static_cast<std::ptrdiff_t>(at),
                       payload.begin() + static_cast<std::ptrdiff_t>(at + size));
}

TEST(PedalIdentity, TextsSitWhereTheEditorReadsThemInOneReport) {
    struct Case {
        PedalCore::Texts texts;
        std::string product, firmware;
    };
    const Case cases[] = {{{}, "KIRO_QUORVEXIII", "1.0.0"},
                          // Long texts are cut at their field, short ones padded with zeros.
                          {{"KIRO_QUORVEXIII_PLUS", "0.9"}, "KIRO_QUORVEXIII", std::string("0.9\0\0", 5)}};
    for (const Case& c : cases) {
        const Frame frame = PedalCore(factoryMemory(), c.texts, true).identityFrame();
        ASSERT_EQ(frame.size(), kReportPayload);  // exactly one report
        const Sent identity = opened(frame);
        EXPECT_EQ(identity.command, 0);
        // Report byte n is payload byte n - 6: the product at 6, the firmware at 23.
        EXPECT_EQ(text(identity.payload, 0, 15), c.product);
        EXPECT_EQ(text(identity.payload, 15, 2), std::string(2, '\0'));
        EXPECT_EQ(text(identity.payload, 17, 5), c.firmware);
        EXPECT_EQ(text(identity.payload, 39, 6), "V1.1.0");
        EXPECT_EQ(identity.payload[53], 'A');
    }
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
}

TEST(PedalFaults, DamagedFrameKeepsItsContentButFailsItsCheck) {
    LinkFaults faults(0.0, 1.0, 1);
    const Bytes payload{1, 2, 3};
    Frame frame = buildFrame(162, payload);
    const Frame intact = frame;
    ASSERT_TRUE(faults.maybeCorrupt(frame));
    EXPECT_TRUE(std::equal(intact.begin(), intact.end() - 2, frame.begin()));
    EXPECT_NE(frame[frame.size() - 2], intact[intact.size() - 2]);
    EXPECT_FALSE(LinkFaults(0.0, 0.0, 1).maybeCorrupt(frame));
}

}  // namespace
}  // namespace quorvex::pedal
