#include "crc16.h"

#include <array>

namespace quorvex {
namespace {

constexpr std::array<std::uint16_t, 256> makeTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < 256; ++i) {
        std::uint16_t crc = static_cast<std::uint16_t>(i << 8);
        for (int bit = 0; bit < 8; ++bit) {
            crc = static_cast<std::uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
        }
        table[i] = crc;
    }
    return table;
}

constexpr auto kTable = makeTable();

}  // namespace

std::uint16_t crc16(const std::uint8_t* bytes, std::size_t n) {
    std::uint16_t crc = 0;
    for (std::size_t i = 0; i < n; ++i) {
        crc = static_cast<std::uint16_t>(((crc << 8) & 0xFFFF) ^ kTable[((crc >> 8) ^ bytes[i]) & 0xFF]);
    }
    return static_cast<std::uint16_t>(crc ^ 0xFFFF);
}

}  // namespace quorvex
