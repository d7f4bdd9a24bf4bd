#include "device_thread.h"

#include "diary.h"
#include "frame.h"

namespace quorvex {

DeviceThread::DeviceThread(std::unique_ptr<HidBackend> backend, LinkEvents& events, LinkOptions options)
    : events_(events),
      options_(options),
      dispatcher_(blocks_, presets_, linkLock_, events, options.diary),
      parser_(ring_, [this](const std::uint8_t* frame, std::size_t size) { dispatcher_.dispatch_frame(frame, size); }),
      hidClass_(std::move(backend), options.match, ring_, events) {
    ring_.setWakeup([this] { loaderTicker_.wake(); });
}

DeviceThread::~DeviceThread() { shutdown(); }

void DeviceThread::start() {
    hid_ = std::thread([this] { hidThread(); });
    scheduler_ = std::thread([this] { Download_read(); });
    loader_ = std::thread([this] { Download_write(); });
}

void DeviceThread::shutdown() {
    {
        std::lock_guard lock(stopMutex_);
        stopping_ = true;
    }
    stopSignal_.notify_all();
    schedulerTicker_.stop();
    loaderTicker_.stop();
    hidClass_.stop();
    for (std::thread* t : {&hid_, &scheduler_, &loader_}) {
        if (t->joinable()) t->join();
    }
}

void DeviceThread::SendDataToDevoice(BlockType type, const std::uint32_t* para, int len) {
    SendPresetsDataToDevice(type, para, len, -1);
    if (marksPresetEdited(type)) events_.postSetIsChangeGuiData(true);
}

void DeviceThread::SendPresetsDataToDevice(BlockType type, const std::uint32_t* para, int len, int index) {
    {
        std::lock_guard lock(linkLock_);
        encoder_.store(type, para, len, index);
    }
    schedulerTicker_.wake();
}

void DeviceThread::hidThread() { hidClass_.OpenHidDevice(); }

// Rests until flag is set by a thread that then wakes ticker; false on shutdown.
bool DeviceThread::waitFor(const std::atomic<bool>& flag, IdleTicker& ticker) {
    for (;;) {
        const std::uint64_t seen = ticker.wakes();
        if (flag) return true;
        if (ticker.restUntilWoken(seen) == 0) return false;
    }
}

void DeviceThread::sendFrame() {
    frame_[0] = kMark1;
    frame_[1] = kMark2;
    const std::string line = sendLine(frame_.data());
    const std::size_t size = sealFrame(frame_.data());
    if (options_.diary) options_.diary->writeMessageToFile(line);
    events_.traceFrame(line);
    hidClass_.write_frame(frame_.data(), size);
}

void DeviceThread::Download_read() {
    {
        std::unique_lock lock(stopMutex_);
        if (stopSignal_.wait_for(lock, options_.startDelay, [this] { return stopping_.load(); })) return;
    }
    // The greeting waits for a pedal whose replies the loader is ready to parse.
    if (!waitFor(loaderReady_, schedulerTicker_)) return;
    {
        std::lock_guard lock(linkLock_);
        // Edits and requests made while no pedal was there were made against what the
        // screens showed without one (every user slot "EMPTY"): none of them goes out.
        encoder_.discardPending();
        CommandEncoder::buildStartFrame(frame_.data());
    }
    events_.postPedalConnected();
    sendFrame();
    if (!schedulerTicker_.sleepTick()) return;
    if (!hidClass_.versionOk()) return;  // a refused firmware hears nothing more
    {
        std::lock_guard lock(linkLock_);
        CommandEncoder::buildHelloFrame(frame_.data());
    }
    sendFrame();

    SendRing ring;
    std::size_t quietSteps = 0;  // steps in a row that sent nothing while no work was announced
    std::uint64_t seen = schedulerTicker_.wakes();
    for (;;) {
        // After a whole quiet turn every raised flag has been visited: rest until new work.
        const std::size_t ticks = quietSteps >= kSchedulerRing.size() ? schedulerTicker_.restUntilWoken(seen)
                                                                       : std::size_t{schedulerTicker_.sleepTick()};
        if (ticks == 0) return;
        ring.pass(ticks - 1);  // the steps the ring passed over while resting
        if (const std::uint64_t wakes = schedulerTicker_.wakes(); wakes != seen) {
            seen = wakes;
            quietSteps = 0;
        }
        std::size_t length = 0;
        {
            std::lock_guard lock(linkLock_);
            length = ring.tick(encoder_, frame_.data(), pacedTransfers_);
        }
        if (length > 0) {
            sendFrame();
            quietSteps = 0;
        } else {
            ++quietSteps;
        }
    }
}

void DeviceThread::Download_write() {
    {
        std::unique_lock lock(stopMutex_);
        if (stopSignal_.wait_for(lock, options_.startDelay, [this] { return stopping_.load(); })) return;
    }
    if (!waitFor(hidClass_.isConnectedFlag(), loaderTicker_)) return;  // the HID thread wakes the ring's reader
    parser_.reset();
    ring_.reset();
    loaderReady_ = true;
    schedulerTicker_.wake();
    while (hidClass_.isConnected()) {
        const std::uint64_t seen = loaderTicker_.wakes();
        const bool bytesWaiting = ring_.size() > 0;
        parser_.run();
        // Frames just dispatched may have raised flags (acknowledgements of transfers).
        if (bytesWaiting) schedulerTicker_.wake();
        // No bytes came during the run: every frame in the ring is dispatched, so rest until bytes arrive.
        const bool busy = loaderTicker_.wakes() != seen;
        if ((busy ? std::size_t{loaderTicker_.sleepTick()} : loaderTicker_.restUntilWoken(seen)) == 0) return;
    }
    ring_.close();
}

}  // namespace quorvex
