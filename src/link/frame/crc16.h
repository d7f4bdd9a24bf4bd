#pragma once
#include <cstddef>
#include <cstdint>

namespace quorvex {

// CRC-16/GSM: polynomial 0x1021, initial value 0, no reflection, final XOR 0xFFFF.
// Table driven, one lookup per byte. A length below 1 yields 0xFFFF.
std::uint16_t crc16(const std::uint8_t* bytes, std::size_t n);

}  // namespace quorvex
