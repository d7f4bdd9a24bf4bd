#pragma once
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorvex {

// Why an impulse-response file could not be opened: the error domain, a code
// 1000..1005 and its description (the texts the pedal's own tools use), plus the
// reason in plain words.
struct IrFileError {
    QString domain;
    int code = 0;
    QString description;
    QString reason;
};

// The WAV format fields as read, for telling what a file holds.
struct WaveFormat {
    std::uint16_t formatCode = 0;
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extensionSize = 0;  // extensible files only
    // Extensible files only: the format code of a standard sub-format GUID, 0 for any other.
    std::uint16_t subFormat = 0;
    std::uint32_t frames = 0;         // whole frames present in the file
};

// Reads an impulse response, from a WAV file (8/16/24/32-bit integer or 32-bit float,
// mono or stereo, 44.1/48/88.2/96 kHz, also in the extensible format) or from the
// editor's own IR file ("TavroIR", 24-bit samples from offset 512), and converts it to
// the 24-bit samples at 44.1 kHz that the pedal's user cabinet slots take.
class YJIRFile {
public:
    static constexpr int kCannotRead = 1000, kNoMemory = 1001, kNoFormat = 1002, kNoData = 1003, kNotWave = 1004,
                         kBadFileName = 1005;
    static constexpr std::size_t kConverted = 2048;  // irdatabuff
    static constexpr std::size_t kUploaded = 512;    // what the pedal receives
    static constexpr std::size_t kOwnDataOffset = 512;
    static constexpr std::size_t kOwnFileSize = kOwnDataOffset + 3 * kConverted;  // 6656

    // Checks the base name, reads the file and recognises it. On failure `error`
    // (when given) receives what went wrong.
    bool OpenFilePath(const QString& path, IrFileError* error);
    // The same for a file already in memory, named by its base name (no folder, no
    // extension). Any bytes are safe here.
    bool openBytes(std::vector<std::uint8_t> bytes, const QString& baseName, IrFileError* error);

    // Converts the opened file into irdatabuff() taking 512·n frames' worth of input
    // (the CAB panel passes 4). False when the file's format is not one the pedal can
    // use; refusal() then says why.
    bool GetIRDataBuffer(int n);
    const QString& refusal() const { return refusal_; }

    const std::array<std::uint32_t, kConverted>& irdatabuff() const { return irdatabuff_; }
    // The first 512 converted samples, the part that goes to the pedal.
    std::array<std::uint32_t, kUploaded> uploadSamples() const;
    // The base name as stored: its first 16 bytes in UTF-8, zero-terminated.
    const std::array<std::uint8_t, 20>& CharFileNane() const { return charFileName_; }
    QString storedName() const;

    bool isInteralIR() const { return isInteralIR_; }
    bool IsFileOpenSuccess() const { return isFileOpenSuccess_; }
    const WaveFormat& format() const { return format_; }

private:
    bool fail(IrFileError* error, int code, const QString& reason);
    bool refuse(const QString& why);
    void findChunks();
    // Whether the format chunk's body holds `width` bytes at `offset`.
    bool formatHolds(std::size_t offset, std::size_t width) const;
    // A little-endian field of the format chunk's body, 2 or 4 bytes wide.
    std::uint32_t formatField(std::size_t offset, std::size_t width) const;
    bool readWave();
    bool convertWave(int n);
    bool convertOwnFile();
    std::uint16_t u16(std::size_t at) const;
    std::uint32_t u32(std::size_t at) const;

    std::vector<std::uint8_t> file_;  // pFileBuff
    std::array<std::uint8_t, 20> charFileName_{};
    std::array<std::uint32_t, kConverted> irdatabuff_{};
    WaveFormat format_;
    std::optional<std::size_t> fmt_;   // position of the "fmt " chunk
    std::optional<std::size_t> data_;  // position of the "data" chunk
    std::size_t pIRData_ = 0;          // first sample
    bool isInteralIR_ = false;
    bool isFileOpenSuccess_ = false;
    QString refusal_;
};

// The two description forms: A for a file name, B for the file itself.
QString irFileNameErrorText(int code);
QString irFileErrorText(int code);

}  // namespace quorvex
