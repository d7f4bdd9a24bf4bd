#include "block_payloads.h"

namespace quorvex::pedal {
namespace {

constexpr std::uint8_t kModuleCommands[kModuleCount] = {144, 145, 147, 148, 149, 150, 151, 152, 153};
constexpr std::size_t kDelayHead = 6;  // DELAY elements 0..5 always travel

void readElements(std::span<const std::uint8_t> payload, ModuleBlock& block, std::size_t firstElement,
                  std::size_t byteOffset, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = byteOffset + 2 * i;
        if (at + 2 > payload.size()) return;
        block[firstElement + i] = readBe16(payload, at);
    }
}

}  // namespace

std::uint8_t moduleCommand(Module module) { return kModuleCommands[static_cast<int>(module)]; }

std::optional<Module> moduleForCommand(std::uint8_t command) {
    for (int m = 0; m < kModuleCount; ++m) {
        if (kModuleCommands[m] == command) return static_cast<Module>(m);
    }
    return std::nullopt;
}

std::vector<std::uint8_t> encodeModuleReport(Module module, const ModuleBlock& block) {
    std::vector<std::uint8_t> out;
    if (module != Module::Delay) {
        const auto count = static_cast<std::size_t>(kModuleElements[static_cast<int>(module)]);
        for (std::size_t e = 0; e < count; ++e) putBe16(out, block[e]);
        return out;
    }
    for (std::size_t e = 0; e < kDelayHead; ++e) putBe16(out, block[e]);
    if (block[1] == kDelayDual) {
        putBe16(out, block[7]);
        putBe16(out, block[8]);
    } else {
        putBe16(out, block[6]);
    }
    return out;
}

void decodeModuleUpdate(Module module, std::span<const std::uint8_t> payload, ModuleBlock& block) {
    if (module != Module::Delay) {
        readElements(payload, block, 0, 0, static_cast<std::size_t>(kModuleElements[static_cast<int>(module)]));
        return;
    }
    readElements(payload, block, 0, 0, kDelayHead);
    if (block[1] == kDelayDual) {
        readElements(payload, block, 7, 2 * kDelayHead, 2);
    } else {
        readElements(payload, block, 6, 2 * kDelayHead, 1);
    }
}

}  // namespace quorvex::pedal
