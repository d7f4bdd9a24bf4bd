#pragma once
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

}  // namespace quorvex::testing
