#pragma once
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorvex {

// A preset file (".kiro"): 2048 bytes, little-endian. A 512-byte header (size, device,
// version, check sum at 508) and a 1536-byte data area whose first 512 bytes are the
// preset record. The check sum adds up the data area.
class YJPresetFile {
public:
    static constexpr std::size_t kFileSize = 2048;
    static constexpr std::size_t kDataStart = 512;
    static constexpr std::size_t kDataSize = kFileSize - kDataStart;

    // Error codes of the out-parameter.
    enum Error : std::int32_t {
        kNoError = 0,
        kUnreadable = 1,
        kWrongSize = 2,
        kOtherDevice = 3,
        kBadCheckSum = 6,
        kNotWritten = 8,
        kNewerVersion = 9,
    };

    using Image = std::array<std::uint8_t, kFileSize>;

    // Reads and checks the file (readable, size, device, check sum, version, in that
    // order). Only a file that passes replaces the image.
    bool ReadFileToPresetPath(const QString& path, std::int32_t& error);
    // The same for a file already read into memory. Any bytes are safe here.
    bool readImage(const std::uint8_t* bytes, std::size_t size, std::int32_t& error);
    // The same checks on bytes already read.
    static std::int32_t checkImage(const std::uint8_t* bytes, std::size_t size);

    // Copy len bytes out of / into the data area; more than the area holds is refused.
    bool ReadPresetBufferPresetData(std::uint8_t* destination, std::size_t len) const;
    bool WritePresetBufferPresetData(const std::uint8_t* source, std::size_t len);

    // Completes the header and writes the file atomically: it appears whole or not at all.
    // On failure reason (if given) says why.
    bool SavePresetToFilePath(const QString& path, std::int32_t& error, QString* reason = nullptr);

    const Image& image() const { return buffer_; }
    // The header's check sum over the data area.
    static std::uint32_t dataCheckSum(const std::uint8_t* bytes);

private:
    Image buffer_{};
};

class YJPresetInOut {
public:
    // Writes one record as a fresh preset file; error gets the code and reason the
    // system's word on failure.
    static bool ExportPresetFilePath(const QString& path, const std::uint8_t* pData, std::size_t len,
                                     std::int32_t* error = nullptr, QString* reason = nullptr);
};

// What a refused preset file means to the user, e.g. "it was made for another device".
QString presetFileErrorText(std::int32_t error);

}  // namespace quorvex
