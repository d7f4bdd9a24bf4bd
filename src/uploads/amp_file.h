#pragma once
#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace quorvex {

// Reads an amp-model file (".amp"): 512 little-endian 32-bit data words, then a check
// word (their sum modulo 2^32), anything, and the last three bytes "2.0".
class AMPFile {
public:
    static constexpr std::size_t kWords = 512;
    static constexpr std::size_t kMinimumSize = (kWords + 1) * 4;  // data and check word

    // True when the file is a model the pedal takes; then modelData() and modelName()
    // hold it. False leaves them as they were and refusal() says why.
    bool OpenAMPFile(const QString& path);
    // The same for a file already in memory, named by its base name. Any bytes are
    // safe here.
    bool openBytes(std::span<const std::uint8_t> bytes, const QString& baseName);

    const std::array<std::uint32_t, kWords>& modelData() const { return data_; }
    // The first 20 characters of the base name, the low byte of each, zero-padded.
    const std::array<std::uint8_t, 20>& modelName() const { return name_; }
    std::uint32_t checkWord() const { return check_; }
    const QString& refusal() const { return refusal_; }

private:
    bool refuse(const QString& why);

    std::array<std::uint32_t, kWords> data_{};
    std::array<std::uint8_t, 20> name_{};
    std::uint32_t check_ = 0;
    QString refusal_;
};

}  // namespace quorvex
