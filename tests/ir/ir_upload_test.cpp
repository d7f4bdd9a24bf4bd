// Impulse-response and amp-model uploads against the virtual pedal, on an event loop.
#include "support/link_harness.h"
#include "support/received_frames.h"
#include "support/transfer_loop.h"
#include "amp_file.h"
#include "commands.h"
#include "slot_uploads.h"
#include "yj_ir_file.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

using namespace std::chrono_literals;
using testing::LinkHarness;

class SlotUploads : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::ensureCoreApplication(); }

    pedal::VirtualPedal& start(bool acknowledge = true) {
        pedal::PedalOptions options = LinkHarness::options();
        options.noAcks = !acknowledge;
        pedal::VirtualPedal& p = harness.addPedal(options);
        harness.startLink(20ms, 1ms);
        EXPECT_TRUE(harness.waitForPresets());
        return p;
    }

    // The payloads of every frame with this command the pedal received.
    static std::vector<std::vector<std::uint8_t>> payloads(const pedal::VirtualPedal& p, std::uint8_t command) {
        std::vector<std::vector<std::uint8_t>> found;
        for (const auto& f : p.receivedFrames())
            if (f.command == command) found.push_back(f.payload);
        return found;
    }

    LinkHarness harness;
};

TEST_F(SlotUploads, AnImpulseResponseGoesUpInFourAcknowledgedChunks) {
    pedal::VirtualPedal& pedal = start();
    IrUploadData data;
    for (std::size_t i = 0; i < data.samples.size(); ++i) data.samples[i] = static_cast<std::uint32_t>(0x10203 * i) & 0xFFFFFF;
    const std::string name = "LONG CAB NAME";
    std::copy_n(name.begin(), data.name.size(), data.name.begin());
    auto upload = makeIrUpload(harness.link(), 3, data, kSlotUploadLimit, 1ms);
    ASSERT_EQ(testing::runToEnd(*upload), LinkTransfer::End::Done);

    const auto sent = payloads(pedal, cmd::IrChunk);
    ASSERT_EQ(sent.size(), 4u);
    for (std::uint8_t chunk = 1; chunk <= 3; ++chunk) {
        const auto& p = sent[chunk - 1u];
        ASSERT_EQ(p.size(), 514u);
        EXPECT_EQ(p[0], 3);
        EXPECT_EQ(p[1], chunk);
        for (std::size_t i = 0; i < 512; ++i)
            ASSERT_EQ(p[2 + i], (data.samples[i] >> (8 * (3 - chunk))) & 0xFF) << int(chunk) << " " << i;
    }
    EXPECT_EQ(sent[3], (std::vector<std::uint8_t>{3, 4, 'L', 'O', 'N', 'G', ' ', 'C', 'A', 'B', ' ', 'N', 'A'}));
    const pedal::IrSlot slot = pedal.irSlot(3);
    EXPECT_TRUE(slot.present);
    EXPECT_EQ(std::string(slot.name.begin(), slot.name.end()), "LONG CAB NA");
}

TEST_F(SlotUploads, AnAmpModelGoesUpInFiveChunks) {
    pedal::VirtualPedal& pedal = start();
    AmpUploadData data;
    for (std::size_t i = 0; i < data.words.size(); ++i) data.words[i] = 0x01020304u * static_cast<std::uint32_t>(i + 1);
    const std::string name = "MY FIFTEEN CHAR";
    std::copy_n(name.begin(), 15, data.name.begin());
    auto upload = makeAmpUpload(harness.link(), 9, data, kSlotUploadLimit, 1ms);
    ASSERT_EQ(testing::runToEnd(*upload), LinkTransfer::End::Done);

    const auto sent = payloads(pedal, cmd::AmpChunk);
    ASSERT_EQ(sent.size(), 5u);
    for (std::uint8_t chunk = 1; chunk <= 4; ++chunk) {
        ASSERT_EQ(sent[chunk - 1u].size(), 514u);
        EXPECT_EQ(sent[chunk - 1u][1], chunk);
        for (std::size_t i = 0; i < 512; ++i)
            ASSERT_EQ(sent[chunk - 1u][2 + i], (data.words[i] >> (8 * (4 - chunk))) & 0xFF) << int(chunk) << " " << i;
    }
    EXPECT_EQ(sent[4].size(), 17u);
    const pedal::AmpSlot slot = pedal.ampSlot(9);
    EXPECT_TRUE(slot.present);
    EXPECT_EQ(std::string(slot.name.begin(), slot.name.end()), name);
    harness.link().withLinkLock([](ParameterBlocks& b, CommandEncoder&) {
        EXPECT_FALSE(b.AmpUpload.active);
        EXPECT_EQ(b.AmpUpload.chunk, 0);
    });
}

// A pedal that never acknowledges: the upload ends at its time limit (here short
// instead of ten seconds) and is reset, so that nothing more goes out.
TEST_F(SlotUploads, APedalThatDoesNotAcknowledgeEndsTheUploadInTime) {
    pedal::VirtualPedal& pedal = start(false);
    const auto nameBefore = pedal.irSlot(0).name;
    auto ir = makeIrUpload(harness.link(), 0, IrUploadData{}, 300ms, 1ms);
    ASSERT_EQ(testing::runToEnd(*ir), LinkTransfer::End::NoAnswer);
    EXPECT_EQ(ir->currentStep(), 0);
    abandonIrUpload(harness.link());
    auto amp = makeAmpUpload(harness.link(), 0, AmpUploadData{}, 300ms, 1ms);
    ASSERT_EQ(testing::runToEnd(*amp), LinkTransfer::End::NoAnswer);
    abandonAmpUpload(harness.link());
    harness.link().withLinkLock([](ParameterBlocks& b, CommandEncoder&) {
        EXPECT_FALSE(b.IrUpload.pending);
        EXPECT_EQ(b.IrUpload.chunk, 1);
        EXPECT_FALSE(b.AmpUpload.active);
    });
    const std::size_t sent = testing::countOf(pedal, cmd::IrChunk) + testing::countOf(pedal, cmd::AmpChunk);
    EXPECT_EQ(sent, 2u) << "each first chunk once, never repeated";
    EXPECT_EQ(pedal.irSlot(0).name, nameBefore) << "without its last chunk the slot keeps its name";
}

}  // namespace
}  // namespace quorvex
