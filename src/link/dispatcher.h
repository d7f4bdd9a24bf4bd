#pragma once
#include "link_events.h"
#include "parameter_blocks.h"
#include "preset_store.h"

#include <cstddef>
#include <cstdint>
#include <mutex>

namespace quorvex {

class Diary;

// Handles every complete, checked frame from the pedal on the loader thread: writes
// its diary line, stores the payload under the link lock and posts the matching event.
class Dispatcher {
public:
    Dispatcher(ParameterBlocks& blocks, PresetStore& presets, std::mutex& linkLock, LinkEvents& events,
               Diary* diary);

    void dispatch_frame(const std::uint8_t* frame, std::size_t size);

    // Smallest payload a command must carry to be taken at all; -1 for commands not handled.
    static int minimumPayload(std::uint8_t command);

private:
    void handle(std::uint8_t command, const std::uint8_t* p, std::size_t length);
    void handleModule(int module, const std::uint8_t* p, std::size_t length);
    void post(EventCode code, std::vector<std::uint32_t> values);
    void load_progress(int slot);

    ParameterBlocks& blocks_;
    PresetStore& presets_;
    std::mutex& linkLock_;
    LinkEvents& events_;
    Diary* diary_;
};

}  // namespace quorvex
