// The impulse-response and amp-model readers over WAV files that sox, Python's wave
// module and libsndfile wrote or that were put together chunk by chunk (see
// make_wav_fixtures.sh for their samples), and over damaged bytes.
#include "amp_file.h"
#include "ir_samples.h"
#include "yj_ir_file.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace quorvex {
namespace {

using namespace std::string_literals;

QString fixture(const QString& name) { return QString::fromLocal8Bit(std::getenv("IR_FIXTURES")) + "/" + name; }

std::vector<std::uint8_t> bytesOf(const char* name) {
    QFile f(fixture(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    const QByteArray b = f.readAll();
    return {b.begin(), b.end()};
}

// The signed samples the pedal would receive from a fixture.
std::vector<std::int32_t> converted(const QString& name) {
    YJIRFile file;
    IrFileError error;
    EXPECT_TRUE(file.OpenFilePath(fixture(name), &error)) << name.toStdString() << " " << error.reason.toStdString();
    EXPECT_TRUE(file.GetIRDataBuffer(4)) << name.toStdString() << " " << file.refusal().toStdString();
    std::vector<std::int32_t> out;
    for (const std::uint32_t s : file.uploadSamples()) out.push_back(sampleValue(s));
    return out;
}

struct Expected {
    const char* file;
    std::vector<std::pair<int, std::int32_t>> samples;  // (index, value)
};

TEST(IrConversion, SamplesOfEveryFormatAt44k) {
    const Expected cases[] = {
        {"mono8_44k.wav", {{0, -128 * 65536}, {128, 0}, {255, 127 * 65536}, {256, 0}}},
        {"mono32_44k.wav", {{0, 0x123456}, {1, -0x123457}, {2, 0x7FFFFF}, {3, -0x800000}}},  // upper three bytes
        {"mono32_44k_ext.wav", {{0, 0x123456}, {3, -0x800000}}},
        {"monofloat_44k.wav", {{0, -8388599}, {1, 8388599}, {2, 4194304}, {3, -4194304}, {4, 2097152}}},
        {"monofloat_48k.wav", {{0, 0x7FFFF7}}},
    };
    for (const auto& c : cases) {
        const auto samples = converted(c.file);
        ASSERT_EQ(samples.size(), 512u);
        for (const auto& [i, v] : c.samples) EXPECT_EQ(samples[static_cast<std::size_t>(i)], v) << c.file << " sample " << i;
    }
    // Beyond full scale is held to it; not a number is silence.
    EXPECT_EQ(floatToSample(1.5f), 0x7FFFF7u);
    EXPECT_EQ(floatToSample(-7.0f), 0x800009u);
    EXPECT_EQ(floatToSample(std::nanf("")), 0u);
}

// Whichever program wrote it, at whatever depth, mono or as the left channel, and
// whatever chunks lie before and between "fmt " and "data" (a JUNK pad, a LIST/INFO
// comment or a bext description holding the words "fmt" and "data", odd-sized chunks),
// the 300-frame ramp gives the same 512 values.
TEST(IrConversion, FilesFromOtherProgramsConvertLikeThePlainOne) {
    std::vector<std::int32_t> ramp(512, 0);
    for (std::size_t i = 0; i < 300; ++i) ramp[i] = (100 * static_cast<std::int32_t>(i) - 15000) * 256;
    for (const char* name : {"mono16_44k.wav", "stereo16_44k.wav", "mono24_44k.wav", "mono24_44k_ext.wav",
                             "rampfloat_44k_ext.wav", "py_mono16_44k.wav", "sf_float_44k.wav", "sf_meta16_44k.wav",
                             "chunks_pcm16.wav", "chunks_pcm24_ext.wav", "chunks_float_ext.wav", "chunks_float.wav"})
        EXPECT_EQ(converted(name), ramp) << name;
}

// A noise burst at every rate against the 512 values worked out for it when the
// fixtures were made.
TEST(IrConversion, EachRateGivesItsExactValues) {
    for (const int rate : {44100, 48000, 88200, 96000}) {
        QFile f(fixture(QStringLiteral("noise16_%1.expected").arg(rate)));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        std::vector<std::int32_t> expected;
        for (const QByteArray& line : f.readAll().split('\n'))
            if (!line.isEmpty()) expected.push_back(line.toInt());
        ASSERT_EQ(expected.size(), 512u);
        EXPECT_EQ(converted(QStringLiteral("noise16_%1.wav").arg(rate)), expected) << rate << " Hz";
    }
}

// Each refusal names its reason; the pedal would otherwise get noise, silence or a
// read past the data.
TEST(IrConversion, RefusedFiles) {
    const auto patched = [](const char* name, std::size_t at, std::vector<std::uint8_t> with) {
        auto b = bytesOf(name);
        std::copy(with.begin(), with.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
        return b;
    };
    std::vector<std::uint8_t> shortOwn(6655, 0);
    std::memcpy(shortOwn.data(), "TavroIR", 7);
    const std::pair<const char*, std::vector<std::uint8_t>> refused[] = {
        {"22050 Hz", bytesOf("mono16_22k.wav")},
        {"3 channels", bytesOf("three16_44k.wav")},
        {"0 channels", patched("mono16_44k.wav", 22, {0, 0})},
        {"4 bits", patched("mono16_44k.wav", 34, {4, 0})},
        {"extension size 0", patched("mono32_44k_ext.wav", 36, {0, 0})},
        {"extension size 18", patched("mono32_44k_ext.wav", 36, {18, 0})},
        {"(format code 2)", patched("mono32_44k.wav", 20, {2, 0})},
        {"(A-law)", bytesOf("alaw_44k.wav")},
        {"(\u00B5-law)", bytesOf("ulaw_44k.wav")},
        {"(A-law)", bytesOf("refused_alaw_ext.wav")},
        {"unknown extensible sub-format", bytesOf("refused_other_guid.wav")},
        {"16-bit floating point", bytesOf("refused_float16.wav")},
        {"cut short", shortOwn},
    };
    for (const auto& [why, bytes] : refused) {
        YJIRFile file;
        ASSERT_TRUE(file.openBytes(bytes, "ir", nullptr)) << why;
        EXPECT_FALSE(file.GetIRDataBuffer(4)) << why;
        EXPECT_TRUE(file.refusal().contains(QString::fromUtf8(why))) << why << ": " << file.refusal().toStdString();
    }
    // A data block that claims more than the file holds: only the whole frames present.
    auto cut = bytesOf("mono16_44k.wav");
    cut.resize(cut.size() - 201);
    YJIRFile file;
    ASSERT_TRUE(file.openBytes(cut, "cut", nullptr) && file.GetIRDataBuffer(4));
    EXPECT_EQ(file.format().frames, 199u);
    EXPECT_EQ(sampleValue(file.irdatabuff()[198]), (198 * 100 - 15000) * 256);
    EXPECT_EQ(file.irdatabuff()[199], 0u);
}

TEST(IrConversion, OpenErrorsInTheirOrder) {
    IrFileError error;
    YJIRFile file;
    // The name first, before the file is read (this one does not exist).
    EXPECT_FALSE(file.OpenFilePath(fixture("Caf\u00e9.wav"), &error));
    EXPECT_EQ(error.code, 1005);
    EXPECT_EQ(error.domain, QStringLiteral("ImportPresetError"));
    EXPECT_EQ(error.description, QStringLiteral(u"Error: 1005.\nWrong file name format!\u00A0\u2028Please check compatibility of file name."));
    EXPECT_FALSE(file.OpenFilePath(fixture("missing.wav"), &error));
    EXPECT_EQ(error.code, 1000);
    // Tags count only as chunks: "fmt " inside a comment is no format chunk.
    const std::pair<std::string, int> cases[] = {{"RIFF....WAVELIST\x08\0\0\0fmt data"s, 1002},
                                                 {"XXXX....WAVEfmt \0\0\0\0data\0\0\0\0"s, 1004},
                                                 {"RIFF....WAVEfmt ........"s, 1003},
                                                 {"nothing at all"s, 1002}};
    for (const auto& [text, code] : cases) {
        EXPECT_FALSE(file.openBytes({text.begin(), text.end()}, "x", &error)) << text;
        EXPECT_EQ(error.code, code) << text;
    }
    EXPECT_EQ(error.description, QStringLiteral(u" error: 1002. \nIR import failed!\nPlease restart the software and try again.\n"
                                                u"If problem reoccurs, please check compatibility of IR file.\u00A0\u00A0"));
}

TEST(IrConversion, OwnIrFile) {
    std::vector<std::uint8_t> own(YJIRFile::kOwnFileSize, 0);
    std::memcpy(own.data(), "TavroIR", 7);
    own[512] = 0x01, own[513] = 0x02, own[514] = 0xF3;  // sample 0 = 0xF30201
    own[512 + 3 * 2047 + 2] = 0x7F;
    YJIRFile file;
    ASSERT_TRUE(file.openBytes(own, "MY CAB", nullptr) && file.GetIRDataBuffer(4));
    EXPECT_TRUE(file.isInteralIR());
    EXPECT_EQ(file.irdatabuff()[0], 0xF30201u);
    EXPECT_EQ(file.irdatabuff()[2047], 0x7F0000u);
}

std::vector<std::uint8_t> ampBytes(std::uint32_t first, const char* ending = "2.0") {
    std::vector<std::uint8_t> b(2048 + 4 + 7, 0);
    std::memcpy(b.data(), &first, 4);
    std::memcpy(b.data() + 2048, &first, 4);  // the check word: the sum of the words
    std::memcpy(b.data() + b.size() - 3, ending, 3);
    return b;
}

TEST(AmpFileReader, AcceptsAndRefuses) {
    AMPFile amp;
    EXPECT_TRUE(amp.openBytes(ampBytes(0), "ZERO"));
    ASSERT_TRUE(amp.openBytes(ampBytes(0xA1B2C3D4), "A NAME LONGER THAN TWENTY CHARACTERS"));
    EXPECT_EQ(amp.modelData()[0], 0xA1B2C3D4u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(amp.modelName().data()), 20), "A NAME LONGER THAN T");
    auto badSum = ampBytes(5);
    badSum[4] = 1;
    const std::pair<const char*, std::vector<std::uint8_t>> refused[] = {
        {"wrong ending", ampBytes(0, "2.1")}, {"check word", badSum}, {"512 words only", std::vector<std::uint8_t>(2051, 0)},
        {"two bytes", {'.', '0'}}, {"empty", {}}};
    for (const auto& [what, bytes] : refused) {
        EXPECT_FALSE(amp.openBytes(bytes, "X")) << what;
        EXPECT_FALSE(amp.refusal().isEmpty()) << what;
    }
    EXPECT_EQ(amp.modelData()[0], 0xA1B2C3D4u) << "a refused file leaves the last model";
}

}  // namespace
}  // namespace quorvex
