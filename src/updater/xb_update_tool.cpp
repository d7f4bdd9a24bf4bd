#include "xb_update_tool.h"

#include "frame.h"
#include "link_log.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace quorvex::updater {
namespace {

using std::chrono::milliseconds;

constexpr const char* kPrefixes[] = {
    "Erasure meachine memory fail:", "Time out:", "Firmware error:", "Send date error:", "Check reply fail:", "Error"};

template <typename... Args>
std::string format(const char* pattern, Args... args) {
    char text[160];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

// Reply texts may hold anything; the log gets the printable part.
std::string printable(const std::uint8_t* bytes, std::size_t n) {
    std::string text;
    for (std::size_t i = 0; i < n && bytes[i] != 0; ++i)
        text += bytes[i] >= 0x20 && bytes[i] < 0x7F ? char(bytes[i]) : '.';
    return text;
}

}  // namespace

XBUpdateTool::XBUpdateTool(FrameSender sender, UpdateTimeouts timeouts)
    : sender_(std::move(sender)), timeouts_(timeouts) {}

std::string XBUpdateTool::failureText(FailureType type, const std::string& reason) {
    return kPrefixes[static_cast<int>(type)] + reason;
}

void XBUpdateTool::startUpdateDevice(const std::string& deviceName, const std::string& filePath, Success success,
                                     Fail fail, Progress progress, StepInfo stepInfo) {
    updaterLog("updating " + deviceName + " with " + filePath);
    start(readFirmwareImage(filePath), std::move(success), std::move(fail), std::move(progress), std::move(stepInfo));
}

void XBUpdateTool::startUpdateWithImage(const std::string& deviceName, std::vector<std::uint8_t> imageBytes,
                                        Success success, Fail fail, Progress progress, StepInfo stepInfo) {
    updaterLog("updating " + deviceName + " with an image of " + std::to_string(imageBytes.size()) + " bytes");
    start(parseFirmwareImage(std::move(imageBytes)), std::move(success), std::move(fail), std::move(progress),
          std::move(stepInfo));
}

void XBUpdateTool::start(std::variant<FirmwareImage, ImageError> read, Success success, Fail fail, Progress progress,
                         StepInfo stepInfo) {
    fail_ = std::move(fail);
    progress_ = std::move(progress);
    stepInfo_ = std::move(stepInfo);
    if (!runUpdate(std::move(read))) return;
    if (progress_) progress_(1.0F);
    if (success) success();
}

bool XBUpdateTool::runUpdate(std::variant<FirmwareImage, ImageError> read) {
    // The image is read and checked whole before the pedal is told anything.
    if (const auto* error = std::get_if<ImageError>(&read)) {
        updateFailWithReason(error->reason, FailureType::Firmware);
        return false;
    }
    image_ = std::move(std::get<FirmwareImage>(read));
    updaterLog("firmware image: " + image_.text);

    if (!updateSendNoUseCMD()) updaterLog("Send start command fail");  // the handshake decides
    if (!updateShakeHands()) return false;
    eraseReplyCmd_ = image_.eraseReplyCommand;
    CurretnUpdataSector = 0;
    for (std::size_t i = 0; i < image_.tags.size(); ++i) {
        if (!updateAppFileHandle(i)) return false;
    }
    if (stopped()) return false;
    updateJumpToApp();
    return true;
}

bool XBUpdateTool::updateSendNoUseCMD() {
    const std::uint8_t zero = 0;
    return sendCommand(bootloader::kStart, {&zero, 1});
}

bool XBUpdateTool::updateShakeHands() {
    updateStepWithInfo("Handshake with the boot loader");
    const std::uint8_t zero = 0;
    handshakeAwaited_ = true;
    if (!sendCommand(bootloader::kHandshake, {&zero, 1})) {
        updateFailWithReason("Send hand command fail", FailureType::Send);
        return false;
    }
    return updateWaitTimeOut(bootloader::kHandshakeReply, timeouts_.handshake);
}

void XBUpdateTool::updateJumpToApp() {
    updateStepWithInfo("Starting the new firmware");
    const std::uint8_t zero = 0;
    if (!sendCommand(bootloader::kJump, {&zero, 1})) updaterLog("JUMP TO APP FAIL");
}

bool XBUpdateTool::erasureMCUAtIndex(std::size_t index) {
    const std::uint32_t bit = 1U << index;  // erased tags have an index below 31
    const std::array<std::uint8_t, 4> payload{static_cast<std::uint8_t>(bit), static_cast<std::uint8_t>(bit >> 8),
                                              static_cast<std::uint8_t>(bit >> 16),
                                              static_cast<std::uint8_t>(bit >> 24)};
    updateStepWithInfo(format("Erasing area %d", static_cast<int>(index + 1)));
    if (!sendCommand(bootloader::kErase, payload)) {
        updateFailWithReason(format("Erasure fail :index(%d)", static_cast<int>(index)), FailureType::EraseMemory);
        return false;
    }
    return updateWaitTimeOut(image_.eraseReplyCommand, timeouts_.erase, true);
}

bool XBUpdateTool::updateAppFileHandle(std::size_t index) {
    _tagIndex = index;
    const FirmwareTag& tag = image_.tags[index];
    if (!tag.erased) {
        updaterTrace("跳过擦除");
        return true;
    }
    if (!erasureMCUAtIndex(index)) return false;
    const std::size_t pages = tag.dataSize / bootloader::kPageSize;
    const std::size_t rest = tag.dataSize % bootloader::kPageSize;
    updaterTrace(format("开始发送TagData: 位置(%d),大小(%d),起始SectorAddrStar(%d),最后一包(%d)",
                   static_cast<int>(tag.dataOffset), static_cast<int>(tag.dataSize), tag.sector,
                   static_cast<int>(rest)));
    updateStepWithInfo(format("Writing area %d", static_cast<int>(index + 1)));
    dataReplyCmd_ = tag.replyCommand;
    const std::uint8_t* data = image_.data(tag);
    for (std::size_t p = 0; p < pages; ++p) {
        if (!sendPacket(tag, static_cast<std::uint16_t>(tag.sector + p), data + p * bootloader::kPageSize,
                        bootloader::kPageSize)) {
            return false;
        }
    }
    // The last partial packet's sector skips one number: the boot loader expects it so.
    return rest == 0 || sendPacket(tag, static_cast<std::uint16_t>(tag.sector + pages + 1),
                                   data + pages * bootloader::kPageSize, rest);
}

bool XBUpdateTool::sendPacket(const FirmwareTag& tag, std::uint16_t sector, const std::uint8_t* data,
                              std::size_t size) {
    if (stopped()) return false;
    std::array<std::uint8_t, 2 + bootloader::kPageSize> payload{};
    payload[0] = static_cast<std::uint8_t>(sector >> 8);
    payload[1] = static_cast<std::uint8_t>(sector & 0xFF);
    std::copy_n(data, size, payload.begin() + 2);
    if (!sendCommand(tag.command, {payload.data(), size + 2})) {
        updateFailWithReason("Send firmware data fail", FailureType::Send);
        return false;
    }
    updateProgress(size);
    milliseconds wait(tag.timeoutMs);
    if (timeouts_.packetLimit) wait = std::min(wait, *timeouts_.packetLimit);
    return updateWaitTimeOut(tag.replyCommand, wait);
}

bool XBUpdateTool::updateWaitTimeOut(int expectedCommand, milliseconds time, bool erasing) {
    if (!timeOutSemaphore.wait(time)) {
        if (aborted_) return false;
        const int last = currentReplyCmd;
        updaterTrace(format("TTTTTTT:cmd(%d)= %d:%d", expectedCommand, static_cast<int>(_tagIndex), last));
        const char* pattern = erasing ? "Erasure time out(%d=%d:%d)" : "Check reply time out(%d=%d:%d)";
        updateFailWithReason(format(pattern, static_cast<int>(_tagIndex), expectedCommand, last), FailureType::TimeOut);
        return false;
    }
    if (stopped()) return false;  // the reply itself was a reported failure
    const int received = currentReplyCmd;
    if (received == expectedCommand) return true;
    updateFailWithReason(format("Check reply error %d:%d", expectedCommand, received), FailureType::CheckReply);
    return false;
}

void XBUpdateTool::readAppUpdateData(const std::uint8_t* frame, std::size_t size) {
    if (size < kFrameOverhead + 1) return;
    const int command = frame[4];
    const int result = frame[5];
    updaterTrace(format("cmd(%d-%d): %d", command, result, static_cast<int>(CurretnUpdataSector.load())));
    if (command == bootloader::kHandshakeReply && handshakeAwaited_.exchange(false)) {
        const std::size_t end = size - 2;  // the texts stop before the check value
        const std::string version = printable(frame + 2, std::min<std::size_t>(6, end - 2));
        const std::string info = end > 8 ? printable(frame + 8, std::min<std::size_t>(32, end - 8)) : std::string();
        updaterLog("握手回复:" + version + " -- " + info);
        currentReplyCmd = command;
    } else if (command == eraseReplyCmd_) {
        if (result != 1) {
            updaterLog("擦除回复有异常");
            updateFailWithReason("Erasure reply rrror", FailureType::Error);
        } else {
            currentReplyCmd = command;
        }
    } else if (command == dataReplyCmd_) {
        if (result != 1) updateFailWithReason("Send data reply rrror", FailureType::Error);
        currentReplyCmd = command;
    } else {
        return;
    }
    timeOutSemaphore.signal();
}

void XBUpdateTool::abort() {
    aborted_ = true;
    timeOutSemaphore.signal();
}

bool XBUpdateTool::sendCommand(std::uint8_t command, std::span<const std::uint8_t> payload) {
    const std::vector<std::uint8_t> frame = buildFrame(command, payload);
    return sender_(frame.data(), frame.size());
}

void XBUpdateTool::updateFailWithReason(const std::string& reason, FailureType type) {
    const std::string prefix = kPrefixes[static_cast<int>(type)];
    updaterLog(prefix + ":" + reason);
    // Only the first failure is told: whatever follows is its consequence.
    if (failed_.exchange(true) || aborted_) return;
    if (fail_) fail_(prefix + reason);
}

void XBUpdateTool::updateStepWithInfo(const std::string& info) {
    updaterTrace("step --- " + info);
    if (stepInfo_) stepInfo_(info);
}

void XBUpdateTool::updateProgress(std::size_t packetBytes) {
    CurretnUpdataSector += packetBytes;
    const std::size_t total = image_.totalDataSize();
    if (total == 0) return;
    const int permille = static_cast<int>(std::min<std::size_t>(CurretnUpdataSector.load() * 1000 / total, 1000));
    if (permille == lastPermille_) return;
    lastPermille_ = permille;
    if (progress_) progress_(static_cast<float>(permille) / 1000.0F);
}

}  // namespace quorvex::updater
