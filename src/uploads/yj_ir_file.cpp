#include "yj_ir_file.h"

#include "ir_samples.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace quorvex {
namespace {

constexpr std::uint16_t kPcm = 1, kFloat = 3, kExtensible = 0xFFFE;
constexpr std::uint16_t kExtensionSize = 22;
// Where the format chunk's fields lie in its body.
constexpr std::size_t kCodeAt = 0, kChannelsAt = 2, kRateAt = 4, kBitsAt = 14, kExtensionSizeAt = 16, kSubFormatAt = 24,
                      kGuidTailAt = 28;
// The extensible format's standard sub-format GUIDs are a format code followed by these
// twelve bytes (KSDATAFORMAT_SUBTYPE_PCM, _IEEE_FLOAT, ...).
constexpr std::uint8_t kGuidTail[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr char kOwnTag[] = "TavroIR";

// Frames taken per sample rate for n = 1, and how many floats the resampler reads
// with its step.
struct RatePlan {
    std::uint32_t rate;
    std::size_t framesPerUnit;
    std::size_t resampleInputs;
    float step;
};
constexpr RatePlan kRates[] = {
    {44100, 512, 0, 0.0f},
    {48000, 560, 1120, 0.088f},
    {88200, 1025, 2050, 1.0f},
    {96000, 1120, 2240, 1.177f},
};
constexpr std::size_t kWorkSize = 4480;  // IRPointBuffer
constexpr std::size_t kResampled = 1024;

bool printableAscii(const QString& name) {
    return std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() >= 32 && c.unicode() <= 126; });
}

bool startsWith(const std::vector<std::uint8_t>& file, std::size_t at, const char* text) {
    const std::size_t n = std::strlen(text);
    return file.size() >= at + n && std::memcmp(file.data() + at, text, n) == 0;
}

// What a sample format that cannot be loaded is, for the refusal.
QString sampleFormatName(std::uint16_t code, std::uint16_t bits) {
    switch (code) {
    case 0: return QStringLiteral("an unknown extensible sub-format");
    case kFloat: return QStringLiteral("%1-bit floating point").arg(bits);
    case 6: return QStringLiteral("A-law");
    case 7: return QStringLiteral(u"\u00B5-law");
    default: return QStringLiteral("format code %1").arg(code);
    }
}

}  // namespace

QString irFileNameErrorText(int code) {
    return QStringLiteral(u"Error: %1.\nWrong file name format!\u00A0\u2028Please check compatibility of file name.").arg(code);
}

QString irFileErrorText(int code) {
    return QStringLiteral(u" error: %1. \nIR import failed!\nPlease restart the software and try again.\nIf problem "
                          u"reoccurs, please check compatibility of IR file.\u00A0\u00A0")
        .arg(code);
}

bool YJIRFile::fail(IrFileError* error, int code, const QString& reason) {
    if (error) {
        error->domain = QStringLiteral("ImportPresetError");
        error->code = code;
        error->description = code == kBadFileName ? irFileNameErrorText(code) : irFileErrorText(code);
        error->reason = reason;
    }
    return false;
}

bool YJIRFile::refuse(const QString& why) {
    refusal_ = why;
    return false;
}

std::uint16_t YJIRFile::u16(std::size_t at) const {
    if (at + 2 > file_.size()) return 0;  // fields beyond the end read as zero and are refused later
    return static_cast<std::uint16_t>(file_[at] | file_[at + 1] << 8);
}

std::uint32_t YJIRFile::u32(std::size_t at) const {
    if (at + 4 > file_.size()) return 0;
    return static_cast<std::uint32_t>(file_[at]) | static_cast<std::uint32_t>(file_[at + 1]) << 8 |
           static_cast<std::uint32_t>(file_[at + 2]) << 16 | static_cast<std::uint32_t>(file_[at + 3]) << 24;
}

bool YJIRFile::OpenFilePath(const QString& path, IrFileError* error) {
    const QString baseName = QFileInfo(path).completeBaseName();
    // The name is checked before the file is touched.
    if (!printableAscii(baseName))
        return fail(error, kBadFileName, QStringLiteral("the file name may hold only plain letters, digits and signs (no accents)"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return fail(error, kCannotRead, QStringLiteral("the file could not be read"));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return fail(error, kCannotRead, QStringLiteral("the file could not be read"));
    return openBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), baseName, error);
}

bool YJIRFile::openBytes(std::vector<std::uint8_t> bytes, const QString& baseName, IrFileError* error) {
    isFileOpenSuccess_ = false;
    isInteralIR_ = false;
    format_ = {};
    if (!printableAscii(baseName))
        return fail(error, kBadFileName, QStringLiteral("the file name may hold only plain letters, digits and signs (no accents)"));
    charFileName_.fill(0);
    const QByteArray name = baseName.toUtf8().left(16);
    std::copy(name.begin(), name.end(), charFileName_.begin());
    file_ = std::move(bytes);

    if (startsWith(file_, 0, kOwnTag)) {
        isInteralIR_ = true;
        isFileOpenSuccess_ = true;
        pIRData_ = kOwnDataOffset;
        return true;
    }
    findChunks();
    if (!fmt_) return fail(error, kNoFormat, QStringLiteral("it is not a WAV file (no format block)"));
    if (!data_) return fail(error, kNoData, QStringLiteral("the WAV file holds no sound data block"));
    if (!startsWith(file_, 0, "RIFF") || !startsWith(file_, 8, "WAVE"))
        return fail(error, kNotWave, QStringLiteral("it is not a WAV file"));
    return readWave();
}

// Walks the chunks after the 12-byte RIFF header (tag, size, body padded to an even
// length) to the first "fmt " and "data" chunks; the bytes inside other chunks (a
// comment, a broadcast description) are never taken for tags.
void YJIRFile::findChunks() {
    fmt_.reset();
    data_.reset();
    for (std::size_t at = 12; at + 8 <= file_.size() && !(fmt_ && data_);) {
        if (!fmt_ && startsWith(file_, at, "fmt ")) fmt_ = at;
        if (!data_ && startsWith(file_, at, "data")) data_ = at;
        const std::size_t size = u32(at + 4);
        at += 8 + size + size % 2;
    }
}

bool YJIRFile::formatHolds(std::size_t offset, std::size_t width) const {
    return offset + width <= u32(*fmt_ + 4) && *fmt_ + 8 + offset + width <= file_.size();
}

std::uint32_t YJIRFile::formatField(std::size_t offset, std::size_t width) const {
    if (!formatHolds(offset, width)) return 0;  // a field the chunk does not hold reads as zero and is refused later
    return width == 2 ? u16(*fmt_ + 8 + offset) : u32(*fmt_ + 8 + offset);
}

bool YJIRFile::readWave() {
    format_.formatCode = static_cast<std::uint16_t>(formatField(kCodeAt, 2));
    format_.channels = static_cast<std::uint16_t>(formatField(kChannelsAt, 2));
    format_.sampleRate = formatField(kRateAt, 4);
    format_.bitsPerSample = static_cast<std::uint16_t>(formatField(kBitsAt, 2));
    if (format_.formatCode == kExtensible) {
        format_.extensionSize = static_cast<std::uint16_t>(formatField(kExtensionSizeAt, 2));
        const std::uint32_t subFormat = formatField(kSubFormatAt, 4);
        if (subFormat <= 0xFFFF && formatHolds(kGuidTailAt, sizeof kGuidTail) &&
            std::memcmp(file_.data() + *fmt_ + 8 + kGuidTailAt, kGuidTail, sizeof kGuidTail) == 0)
            format_.subFormat = static_cast<std::uint16_t>(subFormat);
    }
    pIRData_ = *data_ + 8;
    // Only the whole frames the file really holds, whatever its data block claims.
    const std::size_t present = file_.size() > pIRData_ ? file_.size() - pIRData_ : 0;
    const std::size_t bytes = std::min<std::size_t>(u32(*data_ + 4), present);
    const std::size_t frameBytes = static_cast<std::size_t>(format_.bitsPerSample / 8) * format_.channels;
    format_.frames = frameBytes ? static_cast<std::uint32_t>(bytes / frameBytes) : 0;
    isFileOpenSuccess_ = true;
    return true;
}

std::array<std::uint32_t, YJIRFile::kUploaded> YJIRFile::uploadSamples() const {
    std::array<std::uint32_t, kUploaded> samples{};
    std::copy_n(irdatabuff_.begin(), kUploaded, samples.begin());
    return samples;
}

QString YJIRFile::storedName() const {
    return QString::fromUtf8(reinterpret_cast<const char*>(charFileName_.data()));
}

bool YJIRFile::GetIRDataBuffer(int n) {
    refusal_.clear();
    if (!isFileOpenSuccess_) return refuse(QStringLiteral("no impulse-response file is open"));
    if (n < 1 || n > 4) return refuse(QStringLiteral("the pedal takes 512 to 2048 frames"));
    irdatabuff_.fill(0);
    return isInteralIR_ ? convertOwnFile() : convertWave(n);
}

bool YJIRFile::convertOwnFile() {
    if (file_.size() < kOwnFileSize)
        return refuse(QStringLiteral("the IR file is cut short (%1 bytes, at least %2 expected)").arg(file_.size()).arg(kOwnFileSize));
    for (std::size_t k = 0; k < kConverted; ++k) {
        const std::uint8_t* s = file_.data() + pIRData_ + 3 * k;
        irdatabuff_[k] = static_cast<std::uint32_t>(s[2] << 16 | s[1] << 8 | s[0]);
    }
    return true;
}

bool YJIRFile::convertWave(int n) {
    const WaveFormat& f = format_;
    const auto plan = std::find_if(std::begin(kRates), std::end(kRates), [&f](const RatePlan& r) { return r.rate == f.sampleRate; });
    if (plan == std::end(kRates))
        return refuse(QStringLiteral("its sample rate of %1 Hz is not supported (44100, 48000, 88200 or 96000 Hz)").arg(f.sampleRate));
    if (f.channels < 1 || f.channels > 2)
        return refuse(QStringLiteral("it has %1 channels; only mono and stereo files can be loaded").arg(f.channels));
    if (f.bitsPerSample != 8 && f.bitsPerSample != 16 && f.bitsPerSample != 24 && f.bitsPerSample != 32)
        return refuse(QStringLiteral("its samples have %1 bits; 8, 16, 24 and 32 bits are supported").arg(f.bitsPerSample));
    std::uint16_t code = f.formatCode;
    if (code == kExtensible) {
        if (f.extensionSize != kExtensionSize)
            return refuse(QStringLiteral("its extensible format block is not complete (extension size %1)").arg(f.extensionSize));
        code = f.subFormat;
    }
    // Companded (A-law, µ-law) and compressed samples would be read as noise.
    if (code != kPcm && !(code == kFloat && f.bitsPerSample == 32))
        return refuse(QStringLiteral("its sample format (%1) is not supported (linear PCM, or 32-bit floating point)")
                          .arg(sampleFormatName(code, f.bitsPerSample)));
    if (f.frames == 0) return refuse(QStringLiteral("it holds no samples"));

    const std::size_t bytesPerSample = f.bitsPerSample / 8u;
    const std::size_t stride = bytesPerSample * f.channels;
    const std::size_t take = std::min<std::size_t>(f.frames, plan->framesPerUnit * static_cast<std::size_t>(n));
    std::vector<std::uint32_t> work(kWorkSize, 0);
    for (std::size_t i = 0; i < take; ++i) {
        const std::uint8_t* s = file_.data() + pIRData_ + i * stride;  // the first channel
        switch (f.bitsPerSample) {
        case 8: work[i] = samplePattern((s[0] - 128) * 65536); break;
        case 16: work[i] = samplePattern(static_cast<std::int16_t>(s[0] | s[1] << 8) * 256); break;
        case 24: work[i] = static_cast<std::uint32_t>(s[0] | s[1] << 8 | s[2] << 16); break;
        default:
            if (code == kPcm) {
                work[i] = static_cast<std::uint32_t>(s[1] | s[2] << 8 | s[3] << 16);
            } else {
                float v;
                std::memcpy(&v, s, sizeof v);
                work[i] = floatToSample(v);
            }
        }
    }
    if (plan->rate == 44100) {
        std::copy_n(work.begin(), kConverted, irdatabuff_.begin());
        return true;
    }
    std::vector<float> x(plan->resampleInputs);
    for (std::size_t i = 0; i < x.size(); ++i) x[i] = static_cast<float>(sampleValue(work[i])) / kFullScale;
    std::array<float, kResampled> y{};
    resampleLinear(x, plan->step, y);
    std::transform(y.begin(), y.end(), irdatabuff_.begin(), floatToSample);
    return true;
}

}  // namespace quorvex
