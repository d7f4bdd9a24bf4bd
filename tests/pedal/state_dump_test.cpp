// Command 224: the pedal reports its settings and current sound, then all 300 presets.
#include "block_payloads.h"
#include "pedal_host.h"
#include "pedal_memory.h"

#include <gtest/gtest.h>

#include <string>

namespace pedaltest {
namespace {

using quorvex::Module;
using quorvex::pedal::VirtualPedal;

constexpr std::uint8_t kStateOrder[] = {133, 227, 161, 159, 137, 164, 163, 144, 145,
                                        147, 148, 149, 150, 151, 152, 153, 160, 162};
constexpr std::size_t kStateFrames = std::size(kStateOrder);

std::vector<HostFrame> dump(TestHost& host) {
    host.startLink();
    auto identity = host.next();
    EXPECT_TRUE(identity && identity->command == 0);
    return host.take(kStateFrames + 300 + 1, 20000ms);
}

std::string name10(const std::vector<std::uint8_t>& p, std::size_t at, std::size_t width) {
    std::string s(reinterpret_cast<const char*>(p.data() + at), width);
    return s.substr(0, s.find('\0'));
}

TEST(PedalStateDump, SettingsAndSoundComeFirstThenEveryPresetInSlotOrder) {
    TempBus bus;
    VirtualPedal pedal(bus.dir(), fastOptions());
    ASSERT_TRUE(pedal.start());
    TestHost host(pedal.socketPath());
    const auto frames = dump(host);
    ASSERT_EQ(frames.size(), kStateFrames + 300 + 1);

    const std::size_t sizes[] = {150, 150, 10, 10, 1, 12, 7, 12, 10, 16, 12, 10, 22, 14, 0, 12, 18, 1};
    for (std::size_t i = 0; i < kStateFrames; ++i) {
        EXPECT_EQ(frames[i].command, kStateOrder[i]) << "position " << i;
        if (sizes[i] != 0) {
            EXPECT_EQ(frames[i].payload.size(), sizes[i]) << "command " << int(kStateOrder[i]);
        }
    }
    const auto factory = VirtualPedal::factoryPresets();
    for (int slot = 0; slot < 300; ++slot) {
        const HostFrame& f = frames[kStateFrames + static_cast<std::size_t>(slot)];
        ASSERT_EQ(f.command, 165);
        ASSERT_EQ(f.payload.size(), 514u);
        EXPECT_EQ(f.payload[0] + 256 * f.payload[1], slot);
        EXPECT_TRUE(std::equal(f.payload.begin() + 2, f.payload.end(), factory[static_cast<std::size_t>(slot)].begin()))
            << "slot " << slot;
    }
    // The current preset comes last, once every record is there.
    EXPECT_EQ(frames.back().command, 166);
    const auto& clean = frames[kStateFrames + 4].payload;
    EXPECT_EQ(quorvex::nameText(clean.data() + 2 + quorvex::record::kName), "CLEAN");
    EXPECT_TRUE(host.silentFor(150ms));
}

TEST(PedalStateDump, ValuesMatchWhatThePedalHolds) {
    TempBus bus;
    VirtualPedal pedal(bus.dir(), fastOptions());
    ASSERT_TRUE(pedal.start());
    TestHost host(pedal.socketPath());
    const auto frames = dump(host);
    ASSERT_EQ(frames.size(), kStateFrames + 300 + 1);
    auto payloadOf = [&](std::uint8_t cmd) {
        for (std::size_t i = 0; i < frames.size(); ++i)
            if (frames[i].command == cmd) return frames[i].payload;
        return std::vector<std::uint8_t>{};
    };

    // Preset 0 is current after power-up and its values are the live blocks.
    EXPECT_EQ(payloadOf(166), (std::vector<std::uint8_t>{0, 0}));
    const auto rec0 = pedal.record(0);
    for (int m = 0; m < quorvex::kModuleCount; ++m) {
        const auto module = static_cast<Module>(m);
        const auto p = payloadOf(quorvex::pedal::moduleCommand(module));
        const auto stored = quorvex::moduleValuesFromRecord(rec0, module);
        const std::size_t shown = module == Module::Delay ? 6 : static_cast<std::size_t>(quorvex::kModuleElements[m]);
        for (std::size_t e = 0; e < shown; ++e) EXPECT_EQ(be16(p, 2 * e), stored[e]) << quorvex::moduleName(module) << " " << e;
    }
    const auto chain = quorvex::chainFromRecord(rec0);
    const auto chainPayload = payloadOf(160);
    for (std::size_t i = 0; i < 18; ++i) EXPECT_EQ(chainPayload[i], chain[i]);
    EXPECT_EQ(payloadOf(162).at(0), rec0[quorvex::record::kPresetVolume]);

    // Global settings as bytes; CTRL starts with the tempo as a big-endian number.
    const auto settings = pedal.settings();
    EXPECT_TRUE(std::equal(settings.system.begin(), settings.system.end(), payloadOf(161).begin()));
    EXPECT_TRUE(std::equal(settings.globalEq.begin(), settings.globalEq.end(), payloadOf(159).begin()));
    EXPECT_EQ(be16(payloadOf(164), 0), 120);

    // User IR names ten bytes apart, user amp names fifteen.
    const auto ir = payloadOf(133);
    EXPECT_EQ(name10(ir, 0, 10), "GREENBACK");
    EXPECT_EQ(name10(ir, 10, 10), "V30 OPEN");
    EXPECT_EQ(name10(ir, 20, 10), "");
    EXPECT_EQ(name10(ir, 40, 10), "ROOM 57");
    const auto amp = payloadOf(227);
    EXPECT_EQ(name10(amp, 0, 15), "MY PLEXI");
    EXPECT_EQ(name10(amp, 15, 15), "");
    EXPECT_EQ(name10(amp, 30, 15), "HOT ROD 50");
}

TEST(PedalStateDump, DelayTailFollowsTheModel) {
    TempBus bus;
    VirtualPedal pedal(bus.dir(), fastOptions());
    ASSERT_TRUE(pedal.start());
    TestHost host(pedal.socketPath());
    host.startLink();
    ASSERT_TRUE(host.nextWith(165 + 0));

    // Dual delay: elements 7 and 8 follow the six common ones.
    std::vector<std::uint8_t> dual;
    for (std::uint32_t v : {1u, 9u, 50u, 40u, 300u, 2u}) quorvex::pedal::putBe16(dual, v);
    quorvex::pedal::putBe16(dual, 1200);
    quorvex::pedal::putBe16(dual, 7);
    host.send(152, dual);
    host.send(224);
    auto delay = host.nextWith(152, 10000ms);
    ASSERT_TRUE(delay);
    ASSERT_EQ(delay->payload.size(), 16u);
    EXPECT_EQ(be16(delay->payload, 2), 9);
    EXPECT_EQ(be16(delay->payload, 12), 1200);
    EXPECT_EQ(be16(delay->payload, 14), 7);

    // Any other model: element 6 follows.
    std::vector<std::uint8_t> tape;
    for (std::uint32_t v : {1u, 4u, 50u, 40u, 300u, 2u, 66u}) quorvex::pedal::putBe16(tape, v);
    tape.push_back(0x00);
    tape.push_back(0x02);
    host.send(152, tape);
    host.send(224);
    delay = host.nextWith(152, 10000ms);
    ASSERT_TRUE(delay);
    ASSERT_EQ(delay->payload.size(), 14u);
    EXPECT_EQ(be16(delay->payload, 2), 4);
    EXPECT_EQ(be16(delay->payload, 12), 66);
}

}  // namespace
}  // namespace pedaltest
