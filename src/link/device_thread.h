#pragma once
#include "command_encoder.h"
#include "commands.h"
#include "dispatcher.h"
#include "frame_parser.h"
#include "hid_class.h"
#include "idle_ticker.h"
#include "link_events.h"
#include "parameter_blocks.h"
#include "preset_store.h"
#include "rx_ring.h"
#include "send_ring.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace quorvex {

class Diary;

struct LinkOptions {
    DeviceMatch match;
    // The scheduler and the loader start this long after the HID thread.
    std::chrono::milliseconds startDelay{1000};
    std::chrono::milliseconds tick{10};
    Diary* diary = nullptr;  // where frame lines go; none for no diary
    // The transfers wait for their own step of the ring: one block per turn.
    bool pacedTransfers = false;
};

// Owns the editor's link: the HID thread, the scheduler that sends one due command per
// tick, and the loader that parses and dispatches what the pedal sends. The start steps
// and the loader wait for a pedal, so one plugged in after start-up is served alike.
class DeviceThread {
public:
    DeviceThread(std::unique_ptr<HidBackend> backend, LinkEvents& events, LinkOptions options = {});
    ~DeviceThread();
    DeviceThread(const DeviceThread&) = delete;
    DeviceThread& operator=(const DeviceThread&) = delete;

    void start();
    // Ends the three threads (the program is closing).
    void shutdown();

    // Encoder entries: store values in a block and mark its command due.
    void SendDataToDevoice(BlockType type, const std::uint32_t* para, int len);
    void SendPresetsDataToDevice(BlockType type, const std::uint32_t* para, int len, int index);

    // Runs f(blocks, encoder) under the link lock, for the transfers that fill their
    // state directly and poll for the pedal's answers. Keep f short.
    template <typename F>
    auto withLinkLock(F&& f) {
        const WakeScheduler wakeAfterUnlock{schedulerTicker_};  // f may have left work for it
        std::lock_guard lock(linkLock_);
        return f(blocks_, encoder_);
    }

    // One transfer block per turn of the ring (a pedal that needs the old pace), or the
    // next block on the first free tick after the answer; any thread.
    void setPacedTransfers(bool paced) { pacedTransfers_ = paced; }

    HIDClass& hidClass() { return hidClass_; }
    // The preset dump and name table; written by the loader while presets arrive.
    PresetStore& presets() { return presets_; }

private:
    struct WakeScheduler {
        IdleTicker& ticker;
        ~WakeScheduler() { ticker.wake(); }
    };

    void hidThread();
    void Download_read();
    void Download_write();
    void sendFrame();
    bool waitFor(const std::atomic<bool>& flag, IdleTicker& ticker);

    LinkEvents& events_;
    LinkOptions options_;
    ParameterBlocks blocks_;
    PresetStore presets_;
    std::mutex linkLock_;
    RxRing ring_;
    CommandEncoder encoder_{blocks_};
    Dispatcher dispatcher_;
    FrameParser parser_;
    HIDClass hidClass_;

    std::array<std::uint8_t, 1024> frame_{};  // the scheduler's frame buffer
    // The scheduler rests after a whole turn of the ring without a frame, until an encoder
    // entry, a transfer or an answer of the pedal brings work; the loader rests while the
    // receive ring gets no bytes.
    IdleTicker schedulerTicker_{options_.tick};
    IdleTicker loaderTicker_{options_.tick};
    std::atomic<bool> pacedTransfers_{options_.pacedTransfers};
    std::atomic<bool> loaderReady_{false};
    std::atomic<bool> stopping_{false};
    std::mutex stopMutex_;
    std::condition_variable stopSignal_;
    std::thread hid_, scheduler_, loader_;
};

}  // namespace quorvex
