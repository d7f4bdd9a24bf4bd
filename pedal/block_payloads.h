#pragma once
#include "parameter_blocks.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quorvex::pedal {

// Payload layouts of the module blocks as they travel on the wire.

// The command that carries a module's block (144, 145, 147, ..., 153).
std::uint8_t moduleCommand(Module module);
// The module a block command carries; nullopt for any other command.
std::optional<Module> moduleForCommand(std::uint8_t command);

// Model numbers of DELAY whose block tail differs from the others.
inline constexpr std::uint32_t kDelayDynamic = 8;
inline constexpr std::uint32_t kDelayDual = 9;

// The pedal's report of a module block: every element as a big-endian 16-bit value.
// DELAY carries elements 0..5, then element 7 and 8 for the dual delay (model 9),
// element 6 for every other model.
std::vector<std::uint8_t> encodeModuleReport(Module module, const ModuleBlock& block);

// Reads a module block the editor sent into `block`. DELAY: elements 0..5, then for
// the dual delay elements 7 and 8, for any other model element 6 (the two bytes the
// editor appends after it are ignored). Elements the payload is too short for stay
// as they were.
void decodeModuleUpdate(Module module, std::span<const std::uint8_t> payload, ModuleBlock& block);

inline void putBe16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

inline std::uint32_t readBe16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset] << 8 | bytes[offset + 1]);
}

}  // namespace quorvex::pedal
