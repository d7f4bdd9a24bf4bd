// The rules behind the settings screens: level texts, the global EQ's screen and wire
// forms, tap tempo and the expression targets (the reset and the volume range are
// checked on the screens against the virtual pedal).
#include "command_encoder.h"
#include "dispatcher.h"
#include "exp_targets.h"
#include "frame.h"
#include "global_eq.h"
#include "level_texts.h"
#include "tap_tempo.h"
#include "support/recording_events.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace quorvex::settings;

TEST(LevelTexts, SliderPositionsGiveIndexAndText) {
    struct Case { double slider; std::uint32_t index; const char* text; };
    for (const Case& c : {Case{0.0, 0, "-\u221EdB"}, Case{0.5, 10, "0.5dB"}, Case{0.45, 9, "0dB"},
                          Case{1.0, 21, "6.0dB"}, Case{1.7, 21, "6.0dB"}}) {
        EXPECT_EQ(levelIndex(c.slider), c.index) << c.slider;
        EXPECT_EQ(levelText(levelIndex(c.slider)).toStdString(), c.text) << c.slider;
    }
    EXPECT_EQ(levelText(40).toStdString(), "6.0dB");  // a level the pedal should not send
}

TEST(GlobalEq, ReportedBandsAreShownClamped) {
    struct Case { GlobalEq::Block wire; std::uint32_t hz; std::int32_t gain; };
    for (const Case& c : {Case{{0xE8, 0x03, 13}, 1000, 12}, Case{{0xFF, 0xFF, 0}, 18000, 0},
                          Case{{0x10, 0x00, 26}, 60, 24}}) {
        GlobalEq eq;
        eq.setFromWire(c.wire);
        EXPECT_EQ(eq.shownFrequency(0), c.hz);
        EXPECT_EQ(eq.shownGain(0), c.gain);
        EXPECT_GE(eq.frequencyPosition(0), 0.0);
        EXPECT_LE(eq.frequencyPosition(0), 1.0);
    }
}

// An edit waits in the link for the scheduler's turn; a report that arrives meanwhile
// replaces it and goes out exactly as reported. An edit alone goes out as ever.
TEST(GlobalEq, AReportBetweenAnEditAndItsSendGoesOutUnchanged) {
    using Bytes = std::vector<std::uint8_t>;
    quorvex::ParameterBlocks blocks;
    quorvex::PresetStore presets;
    std::mutex lock;
    quorvex::testing::RecordingEvents events;
    quorvex::CommandEncoder encoder{blocks};
    quorvex::Dispatcher dispatcher{blocks, presets, lock, events, nullptr};
    const auto editThenSend = [&](const GlobalEq& eq, const Bytes& report) {
        encoder.store(quorvex::BlockType::GLBI_EQ, eq.Glbi_eqData().data(), 9, -1);
        const Bytes received = quorvex::buildFrame(159, report);
        if (!report.empty()) dispatcher.dispatch_frame(received.data(), received.size());
        std::array<std::uint8_t, 64> sent{};
        const std::size_t length = encoder.buildFrame(159, sent.data());
        return Bytes(sent.begin() + 5, sent.begin() + 4 + static_cast<std::ptrdiff_t>(length));
    };
    GlobalEq eq;
    EXPECT_EQ(editThenSend(eq, {}), (Bytes{0, 0, 1, 0, 0, 1, 0, 0, 1}));  // before the pedal's first report
    eq.setFrequency(0, GlobalEq::frequencyAt(1.0));
    eq.setGain(0, GlobalEq::gainAt(0.0));
    eq.setFrequency(1, GlobalEq::frequencyAt(0.0));
    eq.setGain(1, GlobalEq::gainAt(1.0));
    eq.setFrequency(2, 500);
    eq.setGain(2, 20);
    EXPECT_EQ(editThenSend(eq, {}), (Bytes{0x50, 0x46, 1, 60, 0, 25, 0xF4, 0x01, 21}));
    const Bytes report{0xE8, 0x03, 13, 0xE8, 0x03, 13, 0xE8, 0x03, 13};  // 1000 Hz, 0 dB
    EXPECT_EQ(editThenSend(eq, report), report);
}

TEST(GlobalEq, GainTexts) {
    struct Case { std::int64_t step; const char* text; };
    for (const Case& c : {Case{0, "-12 dB"}, Case{1, "-11 dB"}, Case{11, "-1 dB"}, Case{12, "0 dB"},
                          Case{13, "+1 dB"}, Case{24, "+12 dB"}})
        EXPECT_EQ(returnAccordingValue(c.step).toStdString(), c.text) << c.step;
    EXPECT_EQ(frequencyText(60).toStdString(), "60HZ");
}

TEST(TapTempo, TapsGiveTempoOrStartAMeasurement) {
    using Result = std::optional<std::uint32_t>;
    struct Case { std::vector<double> taps; std::vector<Result> results; };
    const double t0 = 1.7e12;
    const std::vector<Case> cases = {
        {{t0, t0 + 500}, {std::nullopt, 120u}},
        {{t0, t0 + 500, t0 + 1000}, {std::nullopt, 120u, 120u}},
        {{t0, t0 + 1600}, {std::nullopt, 40u}},
        {{t0, t0 + 200}, {std::nullopt, 260u}},
        {{t0, t0 + 230, t0 + 1730}, {std::nullopt, 260u, 40u}},
        {{t0, t0 + 2000, t0 + 2600}, {std::nullopt, std::nullopt, 100u}},
        {{t0, t0 - 100, t0 + 400}, {std::nullopt, std::nullopt, 120u}},  // the clock went back
    };
    for (const Case& c : cases) {
        TapTempo tap;
        for (std::size_t i = 0; i < c.taps.size(); ++i) EXPECT_EQ(tap.tap(c.taps[i]), c.results[i]) << i;
    }
    EXPECT_EQ(TapTempo::up(260), 260u);
    EXPECT_EQ(TapTempo::up(40), 41u);
    EXPECT_EQ(TapTempo::down(40), 40u);
}

TEST(ExpTargets, ParametersAreRememberedPerInputAndModule) {
    ExpTargets t;
    t.chooseModule(2);  // AMP
    EXPECT_TRUE(t.MakeExitMergeFlag());
    t.clearExitMerge();
    EXPECT_TRUE(t.chooseParameter(1));
    EXPECT_FALSE(t.chooseParameter(6));  // AMP has six targets
    t.chooseModule(3);
    EXPECT_EQ(t.parameter(0), 0u);
    t.chooseModule(2);
    EXPECT_EQ(t.parameter(0), 1u);
    t.chooseInput(1);
    t.clearExitMerge();
    EXPECT_EQ(t.module(1), 0u);
    t.chooseInput(0);
    EXPECT_FALSE(t.MakeExitMergeFlag());  // a tab ends no merge
}

TEST(ExpTargets, ReportsKeepWhatTheyCarry) {
    ExpTargets t;
    t.changedModeValue({0, 5, 13, 12, 3, 0, 0});  // EXP2 on a module the pedal should not name
    EXPECT_EQ(t.module(0), 5u);
    EXPECT_EQ(t.parameter(0), 13u);
    EXPECT_EQ(t.module(1), 12u);
    EXPECT_EQ(t.parameter(1), 3u);
    EXPECT_FALSE(t.MakeExitMergeFlag());
    EXPECT_TRUE(ExpTargets::validTarget(5, 13));
    EXPECT_FALSE(ExpTargets::validTarget(9, 0));
}
