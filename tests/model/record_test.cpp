#include "preset_record.h"
#include "preset_store.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>

namespace quorvex {
namespace {

PresetRecord patterned() {
    PresetRecord rec{};
    for (std::size_t i = 0; i < rec.size(); ++i) rec[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return rec;
}

TEST(RecordMap, SplitFieldsOfEqModAndDelay) {
    PresetRecord rec{};
    rec[68] = 2; rec[69] = 1;
    for (std::size_t i = 0; i < 6; ++i) rec[70 + i] = static_cast<std::uint8_t>(10 + i);
    rec[344] = 0x34; rec[345] = 0x12;  // EQ element 8, little-endian
    rec[346] = 0x01; rec[347] = 0x00;
    rec[348] = 0xFF; rec[349] = 0x01;
    EXPECT_EQ(moduleValuesFromRecord(rec, Module::Eq),
              (std::vector<std::uint32_t>{1, 2, 10, 11, 12, 13, 14, 15, 0x1234, 1, 0x1FF}));

    rec[76] = 5; rec[77] = 0; rec[78] = 1; rec[79] = 2; rec[80] = 3; rec[81] = 4;
    rec[354] = 0xE1; rec[355] = 0x00;
    EXPECT_EQ(moduleValuesFromRecord(rec, Module::Mod), (std::vector<std::uint32_t>{0, 5, 1, 2, 3, 4, 225}));

    rec[84] = 9; rec[85] = 1; rec[86] = 40; rec[87] = 50;
    rec[88] = 0xEE;  // not part of the delay
    rec[89] = 60; rec[90] = 70; rec[91] = 80;
    rec[350] = 0xD0; rec[351] = 0x07;  // element 4: 2000
    rec[352] = 0x2C; rec[353] = 0x01;  // element 7: 300
    EXPECT_EQ(moduleValuesFromRecord(rec, Module::Delay),
              (std::vector<std::uint32_t>{1, 9, 40, 50, 2000, 60, 70, 300, 80}));
}

TEST(RecordMap, CabHandsOutEightValuesWithTheLastTwoZero) {
    PresetRecord rec = patterned();
    const auto cab = moduleValuesFromRecord(rec, Module::Cab);
    ASSERT_EQ(cab.size(), 8u);
    EXPECT_EQ(cab[0], rec[53]);
    EXPECT_EQ(cab[5], rec[57]);
    EXPECT_EQ(cab[6], 0u);
    EXPECT_EQ(cab[7], 0u);
}

TEST(RecordMap, EveryModuleRoundTripsAndLeavesOtherBytesAlone) {
    for (int m = 0; m < kModuleCount; ++m) {
        const auto module = static_cast<Module>(m);
        PresetRecord rec = patterned();
        const PresetRecord before = rec;
        std::vector<std::uint32_t> values(static_cast<std::size_t>(kModuleElements[static_cast<std::size_t>(m)]));
        std::iota(values.begin(), values.end(), 1u);
        storeModuleValuesInRecord(rec, module, values);
        auto back = moduleValuesFromRecord(rec, module);
        back.resize(values.size());
        EXPECT_EQ(back, values) << moduleName(module);
        // Only this module's fields changed.
        PresetRecord restored = rec;
        const auto original = moduleValuesFromRecord(before, module);
        storeModuleValuesInRecord(restored, module, original);
        EXPECT_EQ(restored, before) << moduleName(module);
    }
}

TEST(RecordMap, UninterpretedBytesSurviveEveryStore) {
    PresetRecord rec = patterned();
    const PresetRecord before = rec;
    for (int m = 0; m < kModuleCount; ++m) storeModuleValuesInRecord(rec, static_cast<Module>(m), std::vector<std::uint32_t>(11, 0));
    storeChainInRecord(rec, std::array<std::uint32_t, 18>{});
    storeExpInRecord(rec, std::array<std::uint32_t, 7>{});
    storeCtrlInRecord(rec, std::array<std::uint32_t, 11>{});
    for (std::size_t i : {9u, 34u, 35u, 41u, 42u, 43u, 58u, 59u, 65u, 66u, 67u, 82u, 83u, 88u, 113u, 115u}) {
        EXPECT_EQ(rec[i], before[i]) << "offset " << i;
    }
    for (std::size_t i = 98; i <= 103; ++i) EXPECT_EQ(rec[i], before[i]) << "offset " << i;
    for (std::size_t i = 128; i <= 343; ++i) EXPECT_EQ(rec[i], before[i]) << "offset " << i;
    for (std::size_t i = 360; i < 512; ++i) EXPECT_EQ(rec[i], before[i]) << "offset " << i;
    EXPECT_EQ(recordName(rec), recordName(before));
}

TEST(RecordMap, ChainExpAndCtrl) {
    PresetRecord rec = patterned();
    const auto chain = chainFromRecord(rec);
    EXPECT_EQ(chain[0], rec[0]);
    EXPECT_EQ(chain[8], rec[8]);
    EXPECT_EQ(chain[9], rec[104]);
    EXPECT_EQ(chain[17], rec[112]);

    const auto exp = expFromRecord(rec);
    EXPECT_EQ(exp[0], rec[11]);
    EXPECT_EQ(exp[1], rec[356]);
    EXPECT_EQ(exp[4], rec[359]);
    EXPECT_EQ(exp[5], 200u);
    EXPECT_EQ(exp[6], 200u);

    const auto ctrl = ctrlFromRecord(rec);
    EXPECT_EQ(ctrl[0], 0u);
    EXPECT_EQ(ctrl[1], rec[116]);
    EXPECT_EQ(ctrl[10], rec[125]);

    PresetRecord other{};
    storeChainInRecord(other, chain);
    storeExpInRecord(other, exp);
    storeCtrlInRecord(other, ctrl);
    EXPECT_EQ(chainFromRecord(other), chain);
    EXPECT_EQ(expFromRecord(other), exp);
    EXPECT_EQ(ctrlFromRecord(other), ctrl);
}

TEST(PresetStore, NamesStopAtZeroOrSixteenBytes) {
    PresetStore store;
    PresetRecord full{};
    std::memcpy(full.data() + record::kName, "ABCDEFGHIJKLMNOP", 16);
    PresetRecord next{};
    std::memcpy(next.data() + record::kName, "NEXT", 4);
    store.storeRecord(7, full.data(), true);
    store.storeRecord(8, next.data(), true);
    EXPECT_EQ(store.name(7), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(store.displayText(8), "003C:NEXT");

    // A stored-only record (no name update) leaves the table as it was.
    PresetRecord renamed = next;
    std::memcpy(renamed.data() + record::kName, "OTHER", 5);
    store.storeRecord(8, renamed.data(), false);
    EXPECT_EQ(store.name(8), "NEXT");
    EXPECT_EQ(store.record(8), renamed);
}

}  // namespace
}  // namespace quorvex
