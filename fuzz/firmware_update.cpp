// A firmware image as the updater reads it, and the update engine's walk through its
// tags into erase commands and data packets, against a boot loader that acknowledges
// every command at once (so no wait ever runs out). With such a boot loader every image
// that is read must be written to the end.
#include "boot_loader_commands.h"
#include "frame.h"
#include "xb_update_tool.h"

#include <cstdint>
#include <deque>
#include <vector>

using namespace quorvex;
using namespace quorvex::updater;

namespace {

// What the engine must send next, and the boot loader's answer (none for the start
// command and the jump).
struct Expected {
    std::uint8_t command;
    std::vector<std::uint8_t> answer;
};

std::deque<Expected> conversation(const FirmwareImage& image) {
    const std::uint8_t identity[] = {'V', '1', '.', '0', '.', '0'};
    const std::uint8_t done[] = {1};
    std::deque<Expected> steps{{bootloader::kStart, {}}, {bootloader::kHandshake, buildFrame(bootloader::kHandshakeReply, identity)}};
    for (const FirmwareTag& tag : image.tags) {
        if (!tag.erased) continue;
        steps.push_back({bootloader::kErase, buildFrame(image.eraseReplyCommand, done)});
        const std::size_t packets = (tag.dataSize + bootloader::kPageSize - 1) / bootloader::kPageSize;
        for (std::size_t p = 0; p < packets; ++p) steps.push_back({tag.command, buildFrame(tag.replyCommand, done)});
    }
    steps.push_back({bootloader::kJump, {}});
    return steps;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    const auto parsed = parseFirmwareImage(bytes);
    const auto* image = std::get_if<FirmwareImage>(&parsed);
    std::deque<Expected> steps = image ? conversation(*image) : std::deque<Expected>{};

    XBUpdateTool* engine = nullptr;
    const auto bootLoader = [&](const std::uint8_t* frame, std::size_t n) {
        if (steps.empty()) __builtin_trap();  // more than the image asks for
        const Expected step = steps.front();
        steps.pop_front();
        if (frame[4] != step.command) __builtin_trap();
        if (!step.answer.empty()) engine->readAppUpdateData(step.answer.data(), step.answer.size());
        return n > 0;
    };
    UpdateTimeouts timeouts{std::chrono::milliseconds(20), std::chrono::milliseconds(20), std::chrono::milliseconds(0)};
    XBUpdateTool tool(bootLoader, timeouts);
    engine = &tool;
    bool succeeded = false;
    float lastProgress = 0.0F;
    tool.startUpdateWithImage(
        "fuzz", bytes, [&] { succeeded = true; }, [](const std::string&) {},
        [&](float fraction) {
            if (fraction < lastProgress || fraction > 1.0F) __builtin_trap();
            lastProgress = fraction;
        },
        nullptr);
    // Every image that is read is written to its end, also one whose erase answer has the
    // handshake answer's command number.
    if (image && (!succeeded || !steps.empty())) __builtin_trap();
    return 0;
}
