// The preset file format, its checks and the names files get and give.
#include "preset_file_names.h"
#include "preset_import.h"
#include "yj_preset_file.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quorvex {
namespace {

PresetRecord sampleRecord() {
    PresetRecord rec{};
    for (std::size_t i = 0; i < rec.size(); ++i) rec[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return rec;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void putLe32(QByteArray& b, int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

TEST(PresetFile, WritesTheSpecifiedLayoutAndReadsItBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.kiro");
    const PresetRecord rec = sampleRecord();
    ASSERT_TRUE(YJPresetInOut::ExportPresetFilePath(path, rec.data(), rec.size()));
    const QByteArray bytes = readAll(path);
    ASSERT_EQ(bytes.size(), 2048);
    const auto* b = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    EXPECT_EQ(b[0] | b[1] << 8, 2048);
    EXPECT_EQ(b[4], 0);
    EXPECT_EQ(b[8], 1);
    std::uint32_t sum = 0;
    for (int i = 512; i < 2048; ++i) sum += b[i];
    EXPECT_EQ(b[508] | b[509] << 8 | b[510] << 16 | static_cast<std::uint32_t>(b[511]) << 24, sum);
    EXPECT_TRUE(std::all_of(b + 1024, b + 2048, [](std::uint8_t x) { return x == 0; }));

    YJPresetFile file;
    std::int32_t error = -1;
    ASSERT_TRUE(file.ReadFileToPresetPath(path, error));
    EXPECT_EQ(error, 0);
    PresetRecord back{};
    ASSERT_TRUE(file.ReadPresetBufferPresetData(back.data(), back.size()));
    EXPECT_EQ(back, rec);
    EXPECT_FALSE(file.ReadPresetBufferPresetData(back.data(), 1537));
}

TEST(PresetFile, RefusesDamagedFilesWithTheirCodeAndKeepsTheImage) {
    QTemporaryDir dir;
    const QString good = dir.filePath("good.kiro");
    const PresetRecord rec = sampleRecord();
    ASSERT_TRUE(YJPresetInOut::ExportPresetFilePath(good, rec.data(), rec.size()));
    const QByteArray original = readAll(good);

    struct Case {
        const char* what;
        std::function<void(QByteArray&)> damage;
        std::int32_t code;
    };
    const Case cases[] = {
        {"2047 bytes", [](QByteArray& b) { b.chop(1); }, 2},
        {"2049 bytes", [](QByteArray& b) { b.append('\0'); }, 2},
        {"byte 600 changed", [](QByteArray& b) { b[600] = static_cast<char>(b[600] + 1); }, 6},
        {"device 1", [](QByteArray& b) { putLe32(b, 4, 1); }, 3},
        {"version 2", [](QByteArray& b) { putLe32(b, 8, 2); }, 9},
        {"version 0", [](QByteArray& b) { putLe32(b, 8, 0); }, 0},
    };
    for (const Case& c : cases) {
        QByteArray bytes = original;
        c.damage(bytes);
        const QString path = dir.filePath(QString::fromLatin1(c.what) + ".kiro");
        writeAll(path, bytes);
        YJPresetFile file;
        std::int32_t error = -1;
        EXPECT_EQ(file.ReadFileToPresetPath(path, error), c.code == 0) << c.what;
        EXPECT_EQ(error, c.code) << c.what;
        if (c.code != 0) {
            EXPECT_EQ(file.image(), YJPresetFile::Image{}) << c.what;
        }
    }
    YJPresetFile file;
    std::int32_t error = -1;
    EXPECT_FALSE(file.ReadFileToPresetPath(dir.filePath("absent.kiro"), error));
    EXPECT_EQ(error, 1);
}

TEST(PresetFileNames, SlotsComeOnlyFromP1ToP200) {
    const std::pair<const char*, int> cases[] = {
        {"P1-A", 0},      {"P99-X Y", 98}, {"P200-", 199}, {"P12-Abc-Def", 11},
        {"P0-A", -1},     {"P01-A", -1},   {"P201-A", -1}, {"xP12-A", -1}, {"CLEAN", -1},
    };
    for (const auto& [name, slot] : cases) EXPECT_EQ(slotFromFileName(name).value_or(-1), slot) << name;
}

TEST(PresetFileNames, ImportNamesFollowTheRuleAndFileNamesStayInTheFolder) {
    EXPECT_EQ(importPresetName("P12-Abc-Def"), "Abc-Def");
    EXPECT_EQ(importPresetName("MyLongName-x"), "MyLongName-x");  // the dash is beyond the sixth character
    const PresetRecord named = recordNamedFromFile(sampleRecord(), "P12-Abc-Def");
    EXPECT_EQ(recordName(named), "ABCDEF");
    EXPECT_EQ(safeFileName(std::string("A/B\x01\xff C")), "A_B__ C");
    EXPECT_EQ(safeFileName(".."), "__");
    EXPECT_EQ(singleExportFileName("002B:CLEAN"), "CLEAN.kiro");
    EXPECT_EQ(multiExportFileName("002B:../x"), "002B:.._x.kiro");
    EXPECT_EQ(numberedFileName(11, "HI-GAIN"), "P12-HI_GAIN.kiro");
}

TEST(PresetImport, ABatchIsCheckedWholeBeforeAnythingIsSent) {
    QTemporaryDir dir;
    const PresetRecord rec = sampleRecord();
    ASSERT_TRUE(YJPresetInOut::ExportPresetFilePath(dir.filePath("P3-ONE.kiro"), rec.data(), rec.size()));
    ASSERT_TRUE(YJPresetInOut::ExportPresetFilePath(dir.filePath("TWO.kiro"), rec.data(), rec.size()));
    ImportPlan plan = readImportFiles({dir.filePath("P3-ONE.kiro"), dir.filePath("TWO.kiro")});
    EXPECT_TRUE(plan.files.empty());
    EXPECT_TRUE(plan.error.contains("TWO.kiro"));

    plan = readImportFiles({dir.filePath("TWO.kiro")});  // one file needs no slot in its name
    ASSERT_EQ(plan.files.size(), 1u);
    EXPECT_EQ(plan.files[0].record, rec);
    EXPECT_EQ(plan.files[0].baseName, "TWO");
}

}  // namespace
}  // namespace quorvex
