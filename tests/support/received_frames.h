#pragma once
#include "backup_blocks.h"
#include "backup_items.h"
#include "factory_content.h"
#include "virtual_pedal.h"

#include <cstdint>
#include <vector>

namespace quorvex::testing {

// How many frames with this command the pedal has received so far.
inline std::size_t countOf(const pedal::VirtualPedal& pedal, std::uint8_t command) {
    std::size_t n = 0;
    for (const auto& f : pedal.receivedFrames()) n += f.command == command;
    return n;
}

// The payloads of every frame with this command, in the order they came.
inline std::vector<std::vector<std::uint8_t>> payloadsOf(const pedal::VirtualPedal& pedal, std::uint8_t command) {
    std::vector<std::vector<std::uint8_t>> found;
    for (const auto& f : pedal.receivedFrames())
        if (f.command == command) found.push_back(f.payload);
    return found;
}

// The payload of the last frame with this command; empty when none came.
inline std::vector<std::uint8_t> lastPayload(const pedal::VirtualPedal& pedal, std::uint8_t command) {
    std::vector<std::uint8_t> found;
    for (const auto& f : pedal.receivedFrames())
        if (f.command == command) found = f.payload;
    return found;
}

// A backup of the factory pedal from the blocks it answers, without a link.
inline BackupAssembler factoryBackupBlocks() {
    BackupAssembler assembler;
    const pedal::PedalMemory memory = pedal::factoryMemory();
    for (const BackupBlock& request : backupRequests()) {
        const auto block = pedal::readBackupBlock(memory, request.kind, request.item, request.block);
        assembler.take(request, block ? request.block : pedal::kNoData, block ? block->data() : nullptr);
    }
    return assembler;
}

}  // namespace quorvex::testing
