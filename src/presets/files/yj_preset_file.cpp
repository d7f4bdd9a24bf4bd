#include "yj_preset_file.h"

#include "little_endian.h"
#include "save_bytes.h"

#include <QFile>

#include <algorithm>
#include <numeric>

namespace quorvex {
namespace {

constexpr std::size_t kFileSizeField = 0;
constexpr std::size_t kDeviceIdField = 4;
constexpr std::size_t kVersionField = 8;
constexpr std::size_t kCheckSumField = 508;
constexpr std::uint32_t kVersion = 1;

}  // namespace

std::uint32_t YJPresetFile::dataCheckSum(const std::uint8_t* bytes) {
    return std::accumulate(bytes + kDataStart, bytes + kFileSize, std::uint32_t{0},
                           [](std::uint32_t sum, std::uint8_t b) { return sum + b; });
}

std::int32_t YJPresetFile::checkImage(const std::uint8_t* bytes, std::size_t size) {
    if (size != kFileSize) return kWrongSize;
    if (le::get<std::uint32_t>(bytes + kDeviceIdField) != 0) return kOtherDevice;
    if (le::get<std::uint32_t>(bytes + kCheckSumField) != dataCheckSum(bytes)) return kBadCheckSum;
    if (le::get<std::uint32_t>(bytes + kVersionField) > kVersion) return kNewerVersion;
    return kNoError;
}

bool YJPresetFile::ReadFileToPresetPath(const QString& path, std::int32_t& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = kUnreadable;
        return false;
    }
    // One byte more than a preset file holds tells a long file from a right one.
    const QByteArray bytes = file.read(static_cast<qint64>(kFileSize) + 1);
    if (file.error() != QFileDevice::NoError) {
        error = kUnreadable;
        return false;
    }
    return readImage(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()),
                     error);
}

bool YJPresetFile::readImage(const std::uint8_t* bytes, std::size_t size, std::int32_t& error) {
    error = checkImage(bytes, size);
    if (error != kNoError) return false;
    std::copy_n(bytes, kFileSize, buffer_.begin());
    return true;
}

bool YJPresetFile::ReadPresetBufferPresetData(std::uint8_t* destination, std::size_t len) const {
    if (len > kDataSize) return false;
    std::copy_n(buffer_.begin() + kDataStart, len, destination);
    return true;
}

bool YJPresetFile::WritePresetBufferPresetData(const std::uint8_t* source, std::size_t len) {
    if (len > kDataSize) return false;
    std::copy_n(source, len, buffer_.begin() + kDataStart);
    return true;
}

bool YJPresetFile::SavePresetToFilePath(const QString& path, std::int32_t& error, QString* reason) {
    le::put<std::uint32_t>(buffer_.data() + kFileSizeField, static_cast<std::uint32_t>(kFileSize));
    le::put<std::uint32_t>(buffer_.data() + kDeviceIdField, 0);
    le::put<std::uint32_t>(buffer_.data() + kVersionField, kVersion);
    le::put<std::uint32_t>(buffer_.data() + kCheckSumField, dataCheckSum(buffer_.data()));
    const bool saved = saveBytes(path, buffer_.data(), buffer_.size(), reason);
    error = saved ? kNoError : kNotWritten;
    return saved;
}

bool YJPresetInOut::ExportPresetFilePath(const QString& path, const std::uint8_t* pData, std::size_t len,
                                         std::int32_t* error, QString* reason) {
    YJPresetFile file;
    std::int32_t code = YJPresetFile::kNoError;
    const bool ok = file.WritePresetBufferPresetData(pData, len) && file.SavePresetToFilePath(path, code, reason);
    if (error) *error = ok ? YJPresetFile::kNoError : (code != YJPresetFile::kNoError ? code : YJPresetFile::kNotWritten);
    return ok;
}

QString presetFileErrorText(std::int32_t error) {
    switch (error) {
    case YJPresetFile::kUnreadable: return QStringLiteral("the file could not be read");
    case YJPresetFile::kWrongSize: return QStringLiteral("it is not a QUORVEX III preset file (wrong size)");
    case YJPresetFile::kOtherDevice: return QStringLiteral("it was made for another device");
    case YJPresetFile::kBadCheckSum: return QStringLiteral("the file is damaged (its check sum does not match)");
    case YJPresetFile::kNewerVersion: return QStringLiteral("it was made by a newer version of the software");
    case YJPresetFile::kNotWritten: return QStringLiteral("the file could not be written");
    default: return QStringLiteral("it is not a valid preset file");
    }
}

}  // namespace quorvex
