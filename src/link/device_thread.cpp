#include "device_thread.h"

#include "diary.h"
#include "frame.h"

namespace quorvex {

DeviceThread::DeviceThread(std::unique_ptr<HidBackend> backend, LinkEvents& events, LinkOptions options)
    : events_(events),
      options_(options),
      dispatcher_(blocks_, presets_, linkLock_, events, options.diary),
      parser_(ring_, [this](const std::uint8_t* frame, std::size_t size) { dispatcher_.dispatch_frame(frame, size); }),
      hidClass_(std::move(backend), options.match, ring_, events) {}

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
    std::lock_guard lock(linkLock_);
    encoder_.store(type, para, len, index);
}

void DeviceThread::hidThread() { hidClass_.OpenHidDevice(); }

// Sleeps one tick; false when the link is shutting down.
bool DeviceThread::sleepTick() {
    std::unique_lock lock(stopMutex_);
    return !stopSignal_.wait_for(lock, options_.tick, [this] { return stopping_.load(); });
}

// Waits, a millisecond at a time, until flag is set; false on shutdown.
bool DeviceThread::waitFor(const std::atomic<bool>& flag) {
    std::unique_lock lock(stopMutex_);
    while (!flag) {
        if (stopSignal_.wait_for(lock, std::chrono::milliseconds(1), [this] { return stopping_.load(); })) return false;
    }
    return true;
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
    if (!waitFor(loaderReady_)) return;
    {
        std::lock_guard lock(linkLock_);
        CommandEncoder::buildStartFrame(frame_.data());
    }
    sendFrame();
    if (!sleepTick()) return;
    if (!hidClass_.versionOk()) return;  // a refused firmware hears nothing more
    {
        std::lock_guard lock(linkLock_);
        CommandEncoder::buildHelloFrame(frame_.data());
    }
    sendFrame();

    std::size_t step = 0;
    while (sleepTick()) {
        const std::uint8_t command = kSchedulerRing[step];
        step = (step + 1) % kSchedulerRing.size();
        std::size_t length = 0;
        {
            std::lock_guard lock(linkLock_);
            length = encoder_.buildFrame(command, frame_.data());
        }
        if (length > 0) sendFrame();
    }
}

void DeviceThread::Download_write() {
    {
        std::unique_lock lock(stopMutex_);
        if (stopSignal_.wait_for(lock, options_.startDelay, [this] { return stopping_.load(); })) return;
    }
    if (!waitFor(hidClass_.isConnectedFlag())) return;
    parser_.reset();
    ring_.reset();
    loaderReady_ = true;
    while (hidClass_.isConnected()) {
        parser_.run();
        if (!sleepTick()) return;
    }
    ring_.close();
}

}  // namespace quorvex
