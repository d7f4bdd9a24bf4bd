#pragma once
#include <cstddef>
#include <cstdint>

// Command numbers of the boot loader that do not come from the firmware image, shared by
// the update engine and the virtual boot loader.
namespace quorvex::bootloader {
inline constexpr std::uint8_t kStart = 0xAA;
inline constexpr std::uint8_t kHandshake = 0x00;
inline constexpr std::uint8_t kHandshakeReply = 0x01;
inline constexpr std::uint8_t kErase = 0x02;
inline constexpr std::uint8_t kJump = 0xFF;
inline constexpr std::size_t kPageSize = 512;  // data bytes in a full packet
}  // namespace quorvex::bootloader
