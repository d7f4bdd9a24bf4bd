// The pedal's own knobs and footswitches: each change goes to the host at once.
#include "pedal_host.h"

#include <gtest/gtest.h>

namespace pedaltest {
namespace {

using quorvex::Module;
using quorvex::pedal::VirtualPedal;

class PedalControls : public ConnectedPedalTest {
protected:
    void SetUp() override {
        ConnectedPedalTest::SetUp();
        ASSERT_TRUE(waitForSession());
    }
    bool waitForSession() {
        for (int i = 0; i < 300 && pedal.sessions() == 0; ++i) std::this_thread::sleep_for(10ms);
        return pedal.sessions() == 1;
    }
};

TEST_F(PedalControls, KnobSendsTheWholeModuleBlock) {
    const auto before = pedal.block(Module::Amp);
    pedal.turnKnob(Module::Amp, 2, 77);
    const auto frame = host->next();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->command, 147);
    ASSERT_EQ(frame->payload.size(), 16u);
    for (std::size_t e = 0; e < 8; ++e) EXPECT_EQ(be16(frame->payload, 2 * e), e == 2 ? 77u : before[e]) << e;
    EXPECT_EQ(pedal.block(Module::Amp)[2], 77u);
}

TEST_F(PedalControls, DelayModelKnobSwitchesTheTail) {
    pedal.turnKnob(Module::Delay, 7, 2222);
    pedal.turnKnob(Module::Delay, 1, 9);
    host->next();
    const auto dual = host->next();
    ASSERT_TRUE(dual);
    EXPECT_EQ(dual->command, 152);
    ASSERT_EQ(dual->payload.size(), 16u);
    EXPECT_EQ(be16(dual->payload, 12), 2222);

    pedal.turnKnob(Module::Delay, 6, 55);
    pedal.turnKnob(Module::Delay, 1, 2);
    host->next();
    const auto single = host->next();
    ASSERT_TRUE(single);
    ASSERT_EQ(single->payload.size(), 14u);
    EXPECT_EQ(be16(single->payload, 2), 2);
    EXPECT_EQ(be16(single->payload, 12), 55);
}

TEST_F(PedalControls, KnobOutsideTheBlockDoesNothing) {
    const auto before = pedal.block(Module::Cab);
    pedal.turnKnob(Module::Cab, 6, 1);  // CAB has six elements
    pedal.turnKnob(Module::Fx, -1, 1);
    EXPECT_TRUE(host->silentFor(150ms));
    EXPECT_EQ(pedal.block(Module::Cab), before);
}

TEST_F(PedalControls, FootswitchSelectsAPresetAndTellsTheHost) {
    pedal.selectPreset(257);
    const auto frame = host->next();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->command, 166);
    EXPECT_EQ(frame->payload, (std::vector<std::uint8_t>{1, 1}));
    EXPECT_EQ(pedal.currentPreset(), 257);
    const auto values = quorvex::moduleValuesFromRecord(pedal.record(257), Module::Mod);
    const auto block = pedal.block(Module::Mod);
    for (std::size_t e = 0; e < values.size(); ++e) EXPECT_EQ(block[e], values[e]);

    pedal.selectPreset(300);
    pedal.selectPreset(-1);
    EXPECT_TRUE(host->silentFor(150ms));
    EXPECT_EQ(pedal.currentPreset(), 257);
}

TEST_F(PedalControls, KnobEditsEndUpInTheNextSave) {
    pedal.turnKnob(Module::Reverb, 5, 12);
    ASSERT_TRUE(host->next());
    std::vector<std::uint8_t> save{7, 0};
    save.resize(18, 0);
    save[2] = 'K';
    host->send(168, save);
    ASSERT_TRUE(host->nextWith(168));
    EXPECT_EQ(quorvex::moduleValuesFromRecord(pedal.record(7), Module::Reverb)[5], 12u);
}

}  // namespace
}  // namespace pedaltest
