#pragma once
#include "boot_loader_commands.h"
#include "counting_semaphore.h"
#include "firmware_image.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace quorvex::updater {

// How long the engine waits for the boot loader. Tests shorten them.
struct UpdateTimeouts {
    std::chrono::milliseconds handshake{5000};
    std::chrono::milliseconds erase{60000};
    // Caps every tag's own packet time-out when set.
    std::optional<std::chrono::milliseconds> packetLimit;
};

// Failure kinds; each has its own prefix in the failure text.
enum class FailureType { EraseMemory = 0, TimeOut = 1, Firmware = 2, Send = 3, CheckReply = 4, Error = 5 };

// Writes a firmware image through the pedal's boot loader: handshake, then per tag the
// erase and the 512-byte data packets, each acknowledged, then the jump to the new
// firmware. Runs on a worker thread; replies come in through readAppUpdateData on the
// link's thread. After the first failure it sends nothing more: no further packet and
// no jump, so the pedal stays in its boot loader and the update can be run again.
class XBUpdateTool {
public:
    using FrameSender = std::function<bool(const std::uint8_t* frame, std::size_t size)>;
    using Success = std::function<void()>;
    using Fail = std::function<void(const std::string& text)>;
    using Progress = std::function<void(float fraction)>;
    using StepInfo = std::function<void(const std::string& text)>;

    explicit XBUpdateTool(FrameSender sender, UpdateTimeouts timeouts = {});

    // Runs the whole update on the calling thread; exactly one of success and fail is
    // called, unless abort() ended it.
    void startUpdateDevice(const std::string& deviceName, const std::string& filePath, Success success, Fail fail,
                           Progress progress, StepInfo stepInfo);
    // The same for an image already read into memory. Any bytes are safe here.
    void startUpdateWithImage(const std::string& deviceName, std::vector<std::uint8_t> imageBytes, Success success,
                              Fail fail, Progress progress, StepInfo stepInfo);
    // One frame from the boot loader (link thread).
    void readAppUpdateData(const std::uint8_t* frame, std::size_t size);
    // Ends a running update at its next step without a failure report (the program closes).
    void abort();

    // The failure text as the fail handler gets it: prefix + reason.
    static std::string failureText(FailureType type, const std::string& reason);

private:
    void start(std::variant<FirmwareImage, ImageError> read, Success success, Fail fail, Progress progress,
               StepInfo stepInfo);
    bool runUpdate(std::variant<FirmwareImage, ImageError> read);
    bool updateSendNoUseCMD();
    bool updateShakeHands();
    void updateJumpToApp();
    bool erasureMCUAtIndex(std::size_t index);
    bool updateAppFileHandle(std::size_t index);
    bool sendPacket(const FirmwareTag& tag, std::uint16_t sector, const std::uint8_t* data, std::size_t size);
    bool updateWaitTimeOut(int expectedCommand, std::chrono::milliseconds time, bool erasing = false);
    bool sendCommand(std::uint8_t command, std::span<const std::uint8_t> payload);
    void updateFailWithReason(const std::string& reason, FailureType type);
    void updateStepWithInfo(const std::string& info);
    void updateProgress(std::size_t packetBytes);
    bool stopped() const { return failed_ || aborted_; }

    FrameSender sender_;
    UpdateTimeouts timeouts_;
    Fail fail_;
    Progress progress_;
    StepInfo stepInfo_;

    FirmwareImage image_;
    CountingSemaphore timeOutSemaphore;
    std::atomic<int> currentReplyCmd{0};
    // The replies taken: the handshake's from its sending to its first answer (the probes
    // before it may have left more answers on their way), the image's after the handshake.
    std::atomic<bool> handshakeAwaited_{false};
    std::atomic<int> eraseReplyCmd_{-1};
    std::atomic<int> dataReplyCmd_{-1};  // of the tag being written
    std::size_t _tagIndex = 0;
    std::atomic<std::size_t> CurretnUpdataSector{0};  // bytes sent, for progress
    int lastPermille_ = -1;
    std::atomic<bool> failed_{false};
    std::atomic<bool> aborted_{false};
};

}  // namespace quorvex::updater
