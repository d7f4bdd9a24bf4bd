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

    LinkHarness harness;
};

// Both uploads send their 512 values as byte planes, high byte first, one chunk each,
// then the name; the pedal keeps them and the name under the slot.
TEST_F(SlotUploads, ValuesGoUpAsBytePlanesThenTheName) {
    pedal::VirtualPedal& pedal = start();
    IrUploadData ir;
    AmpUploadData amp;
    for (std::uint32_t i = 0; i < 512; ++i) {
        ir.samples[i] = (0x10203 * i) & 0xFFFFFF;
        amp.words[i] = 0x01020304u * (i + 1);
    }
    std::copy_n("LONG CAB NAME", ir.name.size(), ir.name.begin());
    std::copy_n("MY FIFTEEN CHAR", amp.name.size(), amp.name.begin());
    ASSERT_EQ(testing::runToEnd(*makeIrUpload(harness.link(), 3, ir, kSlotUploadLimit, 1ms)), LinkTransfer::End::Done);
    ASSERT_EQ(testing::runToEnd(*makeAmpUpload(harness.link(), 9, amp, kSlotUploadLimit, 1ms)), LinkTransfer::End::Done);

    struct Case {
        std::uint8_t command, slot;
        const std::array<std::uint32_t, 512>& values;
        std::vector<std::uint8_t> name;
    };
    const Case cases[] = {{cmd::IrChunk, 3, ir.samples, {ir.name.begin(), ir.name.end()}},
                          {cmd::AmpChunk, 9, amp.words, {amp.name.begin(), amp.name.end()}}};
    for (const Case& c : cases) {
        const auto sent = testing::payloadsOf(pedal, c.command);
        const std::size_t planes = sent.size() - 1;
        ASSERT_EQ(planes, c.command == cmd::IrChunk ? 3u : 4u);
        for (std::size_t k = 0; k < planes; ++k) {
            ASSERT_EQ(sent[k].size(), 514u);
            EXPECT_EQ(sent[k][0], c.slot);
            EXPECT_EQ(sent[k][1], k + 1);
            for (std::size_t i = 0; i < 512; ++i)
                ASSERT_EQ(sent[k][2 + i], (c.values[i] >> (8 * (planes - 1 - k))) & 0xFF) << int(c.command) << " " << k;
        }
        std::vector<std::uint8_t> last = {c.slot, static_cast<std::uint8_t>(planes + 1)};
        last.insert(last.end(), c.name.begin(), c.name.end());
        EXPECT_EQ(sent.back(), last);
    }
    const pedal::IrSlot irSlot = pedal.irSlot(3);
    const pedal::AmpSlot ampSlot = pedal.ampSlot(9);
    EXPECT_EQ(std::string(irSlot.name.begin(), irSlot.name.end()), "LONG CAB NA");
    EXPECT_TRUE(ampSlot.present);
    EXPECT_EQ(std::string(ampSlot.name.begin(), ampSlot.name.end()), "MY FIFTEEN CHAR");
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
