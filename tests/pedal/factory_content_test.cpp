// The factory content: realistic, valid presets the editor can show, with bytes in the
// uninterpreted areas so that tests can see them survive.
#include "factory_content.h"
#include "virtual_pedal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using quorvex::Module;
using quorvex::PresetRecord;

struct Range {
    std::uint32_t lo, hi;
};

// Allowed range of each element of a module block, by model where it matters.
Range rangeOf(Module m, std::size_t e, std::uint32_t model) {
    if (e == 0) return {0, 1};
    switch (m) {
    case Module::Fx: return e == 1 ? Range{1, 8} : Range{0, 100};
    case Module::Ds: return e == 1 ? Range{1, 20} : Range{0, 100};
    case Module::Amp: return e == 1 ? Range{1, 65} : Range{0, 100};
    case Module::Cab:
        if (e == 1) return {1, 36};
        if (e == 2) return {0, 9};
        if (e == 5) return {0, 4};
        return {0, 100};
    case Module::Ns: return e == 1 ? Range{1, 3} : Range{0, 100};
    case Module::Eq:
        if (e == 1) return {1, 4};
        if (e <= 7) return {0, 24};
        return {60, 18000};
    case Module::Mod:
        if (e == 1) return {1, 19};
        if (e == 2) return model == 9 ? Range{0, 240} : Range{0, 100};
        if (e == 6) return {0, 400};
        return {0, 100};
    case Module::Delay:
        if (e == 1) return {1, 9};
        if (e == 4 || e == 7) return {40, 2500};
        if (e == 5 || e == 8) return {0, 9};
        return {0, 100};
    case Module::Reverb: return e == 1 ? Range{1, 7} : Range{0, 100};
    }
    return {0, 0};
}

TEST(PedalFactoryContent, IsDeterministicAndFillsEverySlot) {
    const auto a = quorvex::pedal::VirtualPedal::factoryPresets();
    const auto b = quorvex::pedal::VirtualPedal::factoryPresets();
    ASSERT_EQ(a.size(), 300u);
    EXPECT_EQ(a, b);
    std::set<PresetRecord> distinct(a.begin(), a.end());
    EXPECT_EQ(distinct.size(), 300u);
}

TEST(PedalFactoryContent, NamesFollowThePresetNamingRule) {
    const auto presets = quorvex::pedal::VirtualPedal::factoryPresets();
    EXPECT_EQ(quorvex::recordName(presets[4]), "CLEAN");
    int fullLength = 0, unnamed = 0;
    for (const auto& rec : presets) {
        const std::string name = quorvex::recordName(rec);
        for (char c : name) EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ') << name;
        // Bytes after the terminator are zero.
        for (std::size_t i = name.size(); i < quorvex::kNameSize; ++i) EXPECT_EQ(rec[quorvex::record::kName + i], 0);
        if (name.size() == 16) ++fullLength;
        if (name.empty()) ++unnamed;
    }
    EXPECT_GE(fullLength, 2) << "some names use all sixteen bytes without a terminator";
    EXPECT_GE(unnamed, 1);
    EXPECT_LE(unnamed, 10);
}

TEST(PedalFactoryContent, ChainsArePermutationsWithFlagsMatchingTheModules) {
    const auto presets = quorvex::pedal::VirtualPedal::factoryPresets();
    std::set<std::array<std::uint32_t, 9>> orders;
    for (std::size_t slot = 0; slot < presets.size(); ++slot) {
        const auto chain = quorvex::chainFromRecord(presets[slot]);
        std::array<std::uint32_t, 9> order{};
        std::copy_n(chain.begin(), 9, order.begin());
        orders.insert(order);
        auto sorted = order;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, (std::array<std::uint32_t, 9>{1, 2, 3, 4, 5, 6, 7, 8, 9})) << "slot " << slot;
        for (std::size_t p = 0; p < 9; ++p) {
            const auto module = static_cast<Module>(order[p] - 1);
            const auto on = quorvex::moduleValuesFromRecord(presets[slot], module)[0];
            EXPECT_EQ(chain[9 + p], on == 1 ? 0u : 1u) << "slot " << slot << " position " << p;
        }
    }
    EXPECT_GT(orders.size(), 100u) << "chain orders vary between presets";
}

TEST(PedalFactoryContent, ModuleValuesLieWithinTheirModelsRanges) {
    const auto presets = quorvex::pedal::VirtualPedal::factoryPresets();
    for (std::size_t slot = 0; slot < presets.size(); ++slot) {
        for (int m = 0; m < quorvex::kModuleCount; ++m) {
            const auto module = static_cast<Module>(m);
            const auto values = quorvex::moduleValuesFromRecord(presets[slot], module);
            for (std::size_t e = 0; e < static_cast<std::size_t>(quorvex::kModuleElements[m]); ++e) {
                const Range r = rangeOf(module, e, values[1]);
                EXPECT_GE(values[e], r.lo) << "slot " << slot << " " << quorvex::moduleName(module) << " element " << e;
                EXPECT_LE(values[e], r.hi) << "slot " << slot << " " << quorvex::moduleName(module) << " element " << e;
            }
        }
        EXPECT_LE(presets[slot][quorvex::record::kPresetVolume], 100) << "slot " << slot;
        const auto exp = quorvex::expFromRecord(presets[slot]);
        EXPECT_LE(exp[0], 1u);
        EXPECT_LE(exp[1], 8u);
        EXPECT_LE(exp[3], 8u);
        const auto ctrl = quorvex::ctrlFromRecord(presets[slot]);
        for (std::size_t k = 1; k <= 10; ++k) EXPECT_LE(ctrl[k], 1u);
    }
}

TEST(PedalFactoryContent, UserSlotsThatPresetsUseAreFilled) {
    const auto memory = quorvex::pedal::factoryMemory();
    int usingIr = 0, usingAmp = 0;
    for (const auto& rec : memory.presets) {
        const auto cab = quorvex::moduleValuesFromRecord(rec, Module::Cab)[1];
        if (cab >= 27) {
            ++usingIr;
            EXPECT_TRUE(memory.irSlots[cab - 27].present) << "cabinet " << cab;
        }
        const auto amp = quorvex::moduleValuesFromRecord(rec, Module::Amp)[1];
        if (amp >= 56) {
            ++usingAmp;
            EXPECT_TRUE(memory.ampSlots[amp - 56].present) << "amp " << amp;
        }
    }
    EXPECT_GT(usingIr, 0);
    EXPECT_GT(usingAmp, 0);
    for (const auto& ir : memory.irSlots) {
        if (!ir.present) {
            EXPECT_EQ(ir.name, (std::array<std::uint8_t, 11>{}));
        }
    }
}

TEST(PedalFactoryContent, UninterpretedAreasHoldNonZeroBytes) {
    const auto presets = quorvex::pedal::VirtualPedal::factoryPresets();
    for (std::size_t slot = 0; slot < presets.size(); ++slot) {
        for (std::size_t i = 128; i <= 343; ++i) ASSERT_NE(presets[slot][i], 0) << "slot " << slot << " byte " << i;
        for (std::size_t i = 360; i <= 511; ++i) ASSERT_NE(presets[slot][i], 0) << "slot " << slot << " byte " << i;
    }
    EXPECT_NE(presets[0][128], presets[1][128]) << "the filler differs between slots";
}

TEST(PedalFactoryContent, PowerUpLoadsPresetZero) {
    const auto memory = quorvex::pedal::factoryMemory();
    EXPECT_EQ(memory.currentPreset, 0);
    for (int m = 0; m < quorvex::kModuleCount; ++m) {
        const auto values = quorvex::moduleValuesFromRecord(memory.presets[0], static_cast<Module>(m));
        for (std::size_t e = 0; e < values.size(); ++e) EXPECT_EQ(memory.live.modules[static_cast<std::size_t>(m)][e], values[e]);
    }
    EXPECT_EQ(memory.live.ctrl[0], 120u);
}

}  // namespace
