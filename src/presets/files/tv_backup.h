#pragma once
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvex {

// The whole-pedal backup file (".tbf"), little-endian: a 1024-byte header (brand,
// device name, version, "BUFF", section count, section offsets, a 64-bit sum of every
// other byte), then per section a 256-byte sub-header and its items, each a 34-byte
// item header (32 zero bytes, the 16-bit item number) and the item's bytes.
//
// A backup is built in memory and written whole at the end; a file is read whole and
// checked before any of it is used.
class Tv_Backup {
public:
    static constexpr std::size_t kHeaderSize = 1024;
    static constexpr std::size_t kSubHeadSize = 256;
    static constexpr std::size_t kItemHeadSize = 34;
    static constexpr std::size_t kMaxSections = 117;

    struct SubHead {
        std::string dataName;
        std::uint16_t sendCMD = 0, sendCMDFlag = 0, callbackCMD = 0, callbackCMDFlag = 0;
        std::uint32_t dataNumber = 0;
        std::uint32_t dataLength = 0;
        std::uint8_t dataType = 0;
    };
    struct TypeData {
        std::int16_t index = 0;
        std::vector<std::uint8_t> data;
    };

    // Why a file is not a backup this program can restore, in the order checked.
    enum class Check { Valid, Unreadable, NotBackup, OtherDevice, NotBuff, CheckSum, TooManySections, Truncated, TooLarge };
    // Far more than a whole pedal takes (about 160 KB); a larger file is not read.
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;
    // The block number travels in one byte.
    static constexpr std::uint64_t kMaxItemLength = 255 * 512;
    // The pedal keeps at most 300 items of a kind (its presets); a section claiming more
    // would have a restore send blocks no pedal asked for.
    static constexpr std::uint64_t kMaxItems = 300;

    // A fresh container holding the header for this device and version bytes.
    Tv_Backup(const char* device, const std::uint8_t* version, std::size_t versionLen);
    // The container of this pedal: "TAVRO_XB420" and "V1.0.0" three times.
    static Tv_Backup forThisPedal();

    void setDataHeadForDataName(const char* name, std::uint8_t dataType, std::uint32_t dataLength,
                                std::uint32_t dataNumber, std::uint16_t sendCMD, std::uint16_t sendCMDFlag,
                                std::uint16_t revicedCMD, std::uint16_t revicedCMDFlag);
    bool addData(const std::uint8_t* data, std::size_t datalen, std::int16_t dataIndex);
    // Puts the check sum into the header.
    void seal();
    // Seals the header and writes the file atomically.
    bool exportBackupFileForPath(const QString& path, QString* reason = nullptr);

    // Reads a file and checks it; only a valid file replaces this container's bytes.
    Check readFile(const QString& path);
    Check readBytes(std::vector<std::uint8_t> bytes);
    std::uint32_t typeSum() const;
    bool getSubHeadData(std::uint32_t section);
    bool getData(std::uint32_t section, std::uint32_t item);

    const SubHead& subHeadData() const { return subHeadData_; }
    const TypeData& typeData() const { return typeData_; }
    // The file as it stands (the header's check sum is set by the export).
    const std::vector<std::uint8_t>& bytes() const { return file_; }

private:
    void append(const std::uint8_t* data, std::size_t size);
    std::uint64_t sectionOffset(std::uint32_t section) const;
    Check checkBounds(const std::vector<std::uint8_t>& bytes) const;

    std::vector<std::uint8_t> file_;
    std::array<std::uint8_t, 72> identity_{};  // brand, device name and version of a fresh header
    std::uint64_t tempCheckSum = 0;            // the sum of every byte after the header
    SubHead subHeadData_;
    TypeData typeData_;
};

// Says in words why a backup file was refused.
QString backupCheckText(Tv_Backup::Check check);

}  // namespace quorvex
