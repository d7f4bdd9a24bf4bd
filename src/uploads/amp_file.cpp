#include "amp_file.h"

#include <QFile>
#include <QFileInfo>

namespace quorvex {
namespace {

std::uint32_t wordAt(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

}  // namespace

bool AMPFile::refuse(const QString& why) {
    refusal_ = why;
    return false;
}

bool AMPFile::OpenAMPFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return refuse(QStringLiteral("the file could not be read"));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return refuse(QStringLiteral("the file could not be read"));
    return openBytes({reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())},
                     QFileInfo(path).completeBaseName());
}

bool AMPFile::openBytes(std::span<const std::uint8_t> bytes, const QString& baseName) {
    refusal_.clear();
    // Shorter files would leave words unread and their check word missing.
    if (bytes.size() < kMinimumSize)
        return refuse(QStringLiteral("it is too short to be an amp model (%1 bytes, at least %2 expected)")
                          .arg(bytes.size())
                          .arg(kMinimumSize));
    const auto end = bytes.last(3);
    if (end[0] != '2' || end[1] != '.' || end[2] != '0')
        return refuse(QStringLiteral("it is not an amp model of version 2.0 (it must end with \"2.0\")"));
    std::array<std::uint32_t, kWords> data{};
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < kWords; ++i) {
        data[i] = wordAt(bytes, 4 * i);
        sum += data[i];
    }
    const std::uint32_t check = wordAt(bytes, 4 * kWords);
    if (sum != check) return refuse(QStringLiteral("it is damaged (its check word does not match its data)"));
    data_ = data;
    check_ = check;
    name_.fill(0);
    for (int i = 0; i < baseName.size() && i < static_cast<int>(name_.size()); ++i)
        name_[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(baseName.at(i).unicode() & 0xFF);
    return true;
}

}  // namespace quorvex
