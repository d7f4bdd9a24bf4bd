#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorvex {

// A frame: AA 55, little-endian length (command byte + payload), command, payload,
// CRC-16/GSM over length..payload, high byte first.
inline constexpr std::uint8_t kMark1 = 0xAA;
inline constexpr std::uint8_t kMark2 = 0x55;
inline constexpr std::size_t kHeaderSize = 5;      // marks, length, command
inline constexpr std::size_t kFrameOverhead = 6;   // frame size = length + 6
inline constexpr std::size_t kMaxRxLength = 1018;  // largest length field accepted
inline constexpr std::size_t kMaxFrameSize = 1024;

// HID reports are 64 bytes: byte 0 counts the stream bytes that follow (at most 63).
inline constexpr std::size_t kReportSize = 64;
inline constexpr std::size_t kReportPayload = 63;
using Report = std::array<std::uint8_t, kReportSize>;

// Stores the check value of a frame whose bytes 0..length+3 are filled. Returns the frame size.
std::size_t sealFrame(std::uint8_t* frame);

// Builds a complete frame for a command and payload (used by tests, the pedal and tools).
std::vector<std::uint8_t> buildFrame(std::uint8_t command, std::span<const std::uint8_t> payload);

// Cuts n frame bytes into 64-byte reports, full reports of 63 bytes, then the rest,
// and hands each to send in order until send returns false. Unused report bytes are
// zero. Returns whether every report was taken. Allocates nothing.
template <typename Send>
bool forEachReport(const std::uint8_t* bytes, std::size_t n, Send&& send) {
    for (std::size_t offset = 0; offset < n; offset += kReportPayload) {
        const std::size_t chunk = n - offset < kReportPayload ? n - offset : kReportPayload;
        Report report{};
        report[0] = static_cast<std::uint8_t>(chunk);
        for (std::size_t i = 0; i < chunk; ++i) report[1 + i] = bytes[offset + i];
        if (!send(report)) return false;
    }
    return true;
}

// The same reports collected in a list (for tests, the pedal and tools).
std::vector<Report> cutIntoReports(const std::uint8_t* bytes, std::size_t n);

// The frame's one-line text for the diary: the first nine bytes in lower-case hex.
std::string sendLine(const std::uint8_t* first9);
std::string receiveLine(const std::uint8_t* first9);

inline std::uint16_t frameLength(const std::uint8_t* frame) {
    return static_cast<std::uint16_t>(frame[2] | (frame[3] << 8));
}

}  // namespace quorvex
