#include "tv_backup.h"

#include "little_endian.h"
#include "save_bytes.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <numeric>

namespace quorvex {
namespace {

constexpr std::size_t kProductName = 8;
constexpr std::size_t kProductVersion = 40;
constexpr std::size_t kBackupFile = 72;
constexpr std::size_t kTypeSum = 76;
constexpr std::size_t kDataIndex = 80;
constexpr std::size_t kCheckSum = 1016;

// Sub-header fields.
constexpr std::size_t kSendCmd = 32, kSendCmdFlag = 34, kCallbackCmd = 36, kCallbackCmdFlag = 38;
constexpr std::size_t kDataNumber = 40, kDataLength = 44, kDataType = 48;

std::uint64_t sum(const std::uint8_t* begin, const std::uint8_t* end) {
    return std::accumulate(begin, end, std::uint64_t{0}, [](std::uint64_t s, std::uint8_t b) { return s + b; });
}

}  // namespace

Tv_Backup::Tv_Backup(const char* device, const std::uint8_t* version, std::size_t versionLen)
    : file_(kHeaderSize, 0) {
    std::memcpy(file_.data(), "TAVRO", 5);
    std::memcpy(file_.data() + kProductName, device, std::min<std::size_t>(std::strlen(device), 32));
    std::memcpy(file_.data() + kProductVersion, version, std::min<std::size_t>(versionLen, 32));
    std::memcpy(file_.data() + kBackupFile, "BUFF", 4);
    std::copy_n(file_.begin(), identity_.size(), identity_.begin());
}

Tv_Backup Tv_Backup::forThisPedal() {
    static constexpr char kVersion[] = "V1.0.0\0V1.0.0\0V1.0.0";  // 21 bytes with the zeros
    return Tv_Backup("TAVRO_XB420", reinterpret_cast<const std::uint8_t*>(kVersion), sizeof kVersion);
}

void Tv_Backup::append(const std::uint8_t* data, std::size_t size) {
    file_.insert(file_.end(), data, data + size);
    tempCheckSum += sum(data, data + size);
}

void Tv_Backup::setDataHeadForDataName(const char* name, std::uint8_t dataType, std::uint32_t dataLength,
                                       std::uint32_t dataNumber, std::uint16_t sendCMD, std::uint16_t sendCMDFlag,
                                       std::uint16_t revicedCMD, std::uint16_t revicedCMDFlag) {
    const std::uint32_t section = typeSum();
    if (section >= kMaxSections) return;
    le::put<std::uint64_t>(file_.data() + kDataIndex + 8 * section, file_.size());
    le::put<std::uint32_t>(file_.data() + kTypeSum, section + 1);

    std::array<std::uint8_t, kSubHeadSize> head{};
    std::memcpy(head.data(), name, std::min<std::size_t>(std::strlen(name), 32));
    le::put(head.data() + kSendCmd, sendCMD);
    le::put(head.data() + kSendCmdFlag, sendCMDFlag);
    le::put(head.data() + kCallbackCmd, revicedCMD);
    le::put(head.data() + kCallbackCmdFlag, revicedCMDFlag);
    le::put(head.data() + kDataNumber, dataNumber);
    le::put(head.data() + kDataLength, dataLength);
    head[kDataType] = dataType;
    append(head.data(), head.size());
}

bool Tv_Backup::addData(const std::uint8_t* data, std::size_t datalen, std::int16_t dataIndex) {
    std::array<std::uint8_t, kItemHeadSize> head{};
    le::put(head.data() + 32, dataIndex);
    append(head.data(), head.size());
    append(data, datalen);
    return true;
}

void Tv_Backup::seal() {
    le::put(file_.data() + kCheckSum, tempCheckSum + sum(file_.data(), file_.data() + kCheckSum));
}

bool Tv_Backup::exportBackupFileForPath(const QString& path, QString* reason) {
    seal();
    return saveBytes(path, file_.data(), file_.size(), reason);
}

Tv_Backup::Check Tv_Backup::readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return Check::Unreadable;
    if (file.size() > kMaxFileSize) return Check::TooLarge;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return Check::Unreadable;
    return readBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

Tv_Backup::Check Tv_Backup::readBytes(std::vector<std::uint8_t> bytes) {
    if (bytes.size() < kHeaderSize) return Check::NotBackup;
    const auto* b = bytes.data();
    if (!std::equal(b, b + kProductName, identity_.begin())) return Check::NotBackup;
    if (!std::equal(b + kProductName, b + kBackupFile, identity_.begin() + kProductName)) return Check::OtherDevice;
    if (std::memcmp(b + kBackupFile, "BUFF", 4) != 0) return Check::NotBuff;
    const std::uint64_t total = sum(b, b + kCheckSum) + sum(b + kHeaderSize, b + bytes.size());
    if (total != le::get<std::uint64_t>(b + kCheckSum)) return Check::CheckSum;
    if (const Check bounds = checkBounds(bytes); bounds != Check::Valid) return bounds;
    file_ = std::move(bytes);
    return Check::Valid;
}

// Every count, offset and length a reader follows must stay inside the file, whatever
// a crafted header claims.
Tv_Backup::Check Tv_Backup::checkBounds(const std::vector<std::uint8_t>& bytes) const {
    const std::uint64_t size = bytes.size();
    const std::uint32_t sections = le::get<std::uint32_t>(bytes.data() + kTypeSum);
    if (sections > kMaxSections) return Check::TooManySections;
    for (std::uint32_t s = 0; s < sections; ++s) {
        const auto offset = le::get<std::uint64_t>(bytes.data() + kDataIndex + 8 * s);
        if (offset < kHeaderSize || offset > size || size - offset < kSubHeadSize) return Check::Truncated;
        const std::uint8_t* head = bytes.data() + offset;
        const std::uint64_t count = le::get<std::uint32_t>(head + kDataNumber);
        const std::uint64_t length = le::get<std::uint32_t>(head + kDataLength);
        if (length > kMaxItemLength || count > kMaxItems) return Check::TooLarge;
        const std::uint64_t itemSize = kItemHeadSize + length;
        // At most 2^32 items of a bounded size: the product fits in 64 bits.
        if (count * itemSize > size - offset - kSubHeadSize) return Check::Truncated;
    }
    return Check::Valid;
}

std::uint32_t Tv_Backup::typeSum() const { return le::get<std::uint32_t>(file_.data() + kTypeSum); }

std::uint64_t Tv_Backup::sectionOffset(std::uint32_t section) const {
    return le::get<std::uint64_t>(file_.data() + kDataIndex + 8 * section);
}

bool Tv_Backup::getSubHeadData(std::uint32_t section) {
    if (section >= typeSum()) return false;
    const std::uint8_t* head = file_.data() + sectionOffset(section);
    subHeadData_.dataName.assign(reinterpret_cast<const char*>(head), strnlen(reinterpret_cast<const char*>(head), 32));
    subHeadData_.sendCMD = le::get<std::uint16_t>(head + kSendCmd);
    subHeadData_.sendCMDFlag = le::get<std::uint16_t>(head + kSendCmdFlag);
    subHeadData_.callbackCMD = le::get<std::uint16_t>(head + kCallbackCmd);
    subHeadData_.callbackCMDFlag = le::get<std::uint16_t>(head + kCallbackCmdFlag);
    subHeadData_.dataNumber = le::get<std::uint32_t>(head + kDataNumber);
    subHeadData_.dataLength = le::get<std::uint32_t>(head + kDataLength);
    subHeadData_.dataType = head[kDataType];
    return true;
}

bool Tv_Backup::getData(std::uint32_t section, std::uint32_t item) {
    if (!getSubHeadData(section) || item >= subHeadData_.dataNumber) return false;
    const std::uint64_t itemSize = kItemHeadSize + std::uint64_t{subHeadData_.dataLength};
    const std::uint8_t* at = file_.data() + sectionOffset(section) + kSubHeadSize + item * itemSize;
    typeData_.index = le::get<std::int16_t>(at + 32);
    typeData_.data.assign(at + kItemHeadSize, at + itemSize);
    return true;
}

QString backupCheckText(Tv_Backup::Check check) {
    switch (check) {
    case Tv_Backup::Check::Valid: return QStringLiteral("it is a valid backup");
    case Tv_Backup::Check::Unreadable: return QStringLiteral("the file could not be read");
    case Tv_Backup::Check::NotBackup: return QStringLiteral("it is not a QUORVEX III backup file");
    case Tv_Backup::Check::OtherDevice: return QStringLiteral("it is a backup of another device or version");
    case Tv_Backup::Check::NotBuff: return QStringLiteral("it is not a backup file (no BUFF mark)");
    case Tv_Backup::Check::CheckSum: return QStringLiteral("the file is damaged (its check sum does not match)");
    case Tv_Backup::Check::TooManySections:
        return QStringLiteral("its header lists more sections than a backup file can hold (at most %1)")
            .arg(Tv_Backup::kMaxSections);
    case Tv_Backup::Check::Truncated: return QStringLiteral("the file is damaged (a section reaches beyond its end)");
    case Tv_Backup::Check::TooLarge: return QStringLiteral("it holds more than a QUORVEX III backup can");
    }
    return {};
}

}  // namespace quorvex
