// The backup container: its bytes, its checks and the blocks a restore sends.
#include "backup_blocks.h"
#include "tv_backup.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>

namespace quorvex {
namespace {

std::vector<PresetRecord> presets() {
    std::vector<PresetRecord> records(kBackupPresetCount);
    for (std::size_t s = 0; s < records.size(); ++s) records[s].fill(static_cast<std::uint8_t>(s + 1));
    return records;
}

std::uint64_t le64(const std::vector<std::uint8_t>& b, std::size_t at) {
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = v << 8 | b[at + static_cast<std::size_t>(i)];
    return v;
}

// An assembler fed as a pedal with user IR 2 only and this system block would feed it.
BackupAssembler pedalWithOneIr() {
    BackupAssembler assembler;
    std::array<std::uint8_t, 512> data{};
    for (const BackupBlock& r : backupRequests()) {
        data.fill(static_cast<std::uint8_t>(r.block * 10 + r.item));
        const bool present = r.kind == 3 || (r.kind == 2 && r.item == 2);
        assembler.take(r, present ? r.block : kNoBlockData, data.data());
    }
    return assembler;
}

TEST(BackupFile, HeaderAndSectionsAreLaidOutAsTheFormatSays) {
    Tv_Backup file = pedalWithOneIr().build(presets());
    file.seal();
    const auto& b = file.bytes();
    EXPECT_EQ(std::memcmp(b.data(), "TAVRO\0\0\0TAVRO_XB420", 19), 0);
    EXPECT_EQ(std::memcmp(b.data() + 40, "V1.0.0\0V1.0.0\0V1.0.0\0", 21), 0);
    EXPECT_EQ(std::memcmp(b.data() + 72, "BUFF", 4), 0);
    EXPECT_EQ(file.typeSum(), 3u);  // IR, SYSTEM, PRESET
    const std::uint64_t sum = std::accumulate(b.begin(), b.begin() + 1016, std::uint64_t{0}) +
                              std::accumulate(b.begin() + 1024, b.end(), std::uint64_t{0});
    EXPECT_EQ(le64(b, 1016), sum);
    // IR section at 1024: one item of 2048 bytes; SYSTEM: 15 bytes under a declared 10.
    EXPECT_EQ(le64(b, 80), 1024u);
    EXPECT_EQ(le64(b, 88), 1024u + 256 + 34 + 2048);
    EXPECT_EQ(le64(b, 96), le64(b, 88) + 256 + 34 + 15);
    EXPECT_EQ(b.size(), le64(b, 96) + 256 + 200 * (34 + 512));
    ASSERT_TRUE(file.getData(1, 0));
    EXPECT_EQ(file.subHeadData().dataName, "XB420_SYSTEM");
    EXPECT_EQ(file.subHeadData().dataLength, 10u);
    EXPECT_EQ(file.subHeadData().sendCMD, 226);
    ASSERT_TRUE(file.getData(0, 0));
    EXPECT_EQ(file.typeData().index, 2);
    EXPECT_EQ(file.typeData().data[1536], 4 * 10 + 2);  // block 4 of item 2
}

TEST(BackupFile, SectionsThePedalHasNoDataForAreLeftOut) {
    // No user items: SYSTEM and PRESET. No system settings either: PRESET alone, rather
    // than zeros that a restore would make the pedal's settings.
    const std::array<std::uint8_t, 512> data{};
    for (const bool system : {true, false}) {
        BackupAssembler assembler;
        for (const BackupBlock& r : backupRequests())
            assembler.take(r, system && r.kind == 3 ? r.block : kNoBlockData, data.data());
        Tv_Backup file = assembler.build(presets());
        EXPECT_EQ(file.typeSum(), system ? 2u : 1u);
        EXPECT_EQ(assembler.hasSystem(), system);
        ASSERT_TRUE(file.getSubHeadData(0));
        EXPECT_EQ(file.subHeadData().dataName, system ? "XB420_SYSTEM" : "XB420_PRESET");
    }
}

TEST(BackupFile, RestoreSendsEveryBlockInFileOrderAndSystemAsTenBytes) {
    Tv_Backup built = pedalWithOneIr().build(presets());
    built.seal();
    Tv_Backup file = Tv_Backup::forThisPedal();
    ASSERT_EQ(file.readBytes(built.bytes()), Tv_Backup::Check::Valid);
    const auto blocks = restoreBlocks(file);
    ASSERT_EQ(blocks.size(), 4u + 1 + 200);
    EXPECT_EQ(blocks[0].at.kind, 2);
    EXPECT_EQ(blocks[3].at.block, 4);
    const RestoreBlock& system = blocks[4];
    EXPECT_EQ(system.at.kind, 3);
    EXPECT_EQ(system.data[9], 1 * 10 + 1);
    EXPECT_EQ(system.data[10], 0);  // bytes 10..14 are in the file but not restored
    EXPECT_EQ(blocks.back().at.kind, 4);
    EXPECT_EQ(blocks.back().at.item, 200);
    EXPECT_EQ(blocks.back().data[0], 200);
}

// Changes one thing, then puts a right check sum back, so that only the bounds can tell.
void reseal(std::vector<std::uint8_t>& b) {
    const std::uint64_t sum = std::accumulate(b.begin(), b.begin() + 1016, std::uint64_t{0}) +
                              std::accumulate(b.begin() + 1024, b.end(), std::uint64_t{0});
    for (int i = 0; i < 8; ++i) b[1016 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(sum >> (8 * i));
}

TEST(BackupFile, RefusesDamagedAndCraftedFiles) {
    Tv_Backup built = pedalWithOneIr().build(presets());
    built.seal();
    using C = Tv_Backup::Check;
    struct Case {
        const char* what;
        std::function<void(std::vector<std::uint8_t>&)> change;
        C check;
    };
    const Case cases[] = {
        {"one data byte", [](auto& b) { b[5000] ^= 1; }, C::CheckSum},
        {"device name", [](auto& b) { b[12] = 'X'; }, C::OtherDevice},
        {"version", [](auto& b) { b[41] = '2'; }, C::OtherDevice},
        {"brand", [](auto& b) { b[0] = 'X'; }, C::NotBackup},
        {"short header", [](auto& b) { b.resize(1000); }, C::NotBackup},
        {"truncated section", [](auto& b) { b.resize(b.size() - 100); reseal(b); }, C::Truncated},
        {"section beyond the end", [](auto& b) { b[80 + 8 * 2 + 3] = 1; reseal(b); }, C::Truncated},
        {"item count too large", [](auto& b) { b[1024 + 40] = 200; reseal(b); }, C::Truncated},
        {"section count", [](auto& b) { b[76] = 118; reseal(b); }, C::TooManySections},
        {"item beyond 255 blocks", [](auto& b) { b[1024 + 46] = 2; reseal(b); }, C::TooLarge},
        {"301 empty items", [](auto& b) {
             std::fill_n(b.begin() + 1024 + 40, 8, 0);
             b[1024 + 40] = 301 & 0xFF;
             b[1024 + 41] = 301 >> 8;
             reseal(b);
         }, C::TooLarge},
    };
    for (const Case& c : cases) {
        auto bytes = built.bytes();
        c.change(bytes);
        Tv_Backup file = Tv_Backup::forThisPedal();
        EXPECT_EQ(file.readBytes(bytes), c.check) << c.what;
        EXPECT_EQ(file.typeSum(), 0u) << c.what;  // nothing of a refused file is taken
    }
}

}  // namespace
}  // namespace quorvex
