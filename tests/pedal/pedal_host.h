#pragma once
// The host end of the virtual bus, done by hand for the pedal's tests: a
// SOCK_SEQPACKET connection to the pedal's socket, reports built with buildFrame and
// cutIntoReports, the pedal's reports reassembled with RxRing and FrameParser on a
// reader thread.
#include "frame.h"
#include "virtual_bus.h"
#include "virtual_pedal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

namespace pedaltest {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct HostFrame {
    std::uint8_t command = 0;
    std::vector<std::uint8_t> payload;
};

struct TimedReport {
    quorvex::Report report;
    Clock::time_point at;
};

class TestHost {
public:
    explicit TestHost(const std::string& socketPath);
    ~TestHost();
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    bool connected() const { return fd_ >= 0; }
    const std::optional<quorvex::vbus::Descriptor>& descriptor() const { return descriptor_; }

    // The empty report a host sends when it opens the device.
    void greet();
    void send(std::uint8_t command, std::span<const std::uint8_t> payload = {});
    void send(std::uint8_t command, std::initializer_list<std::uint8_t> payload);
    void sendReport(const quorvex::Report& report);
    // Start frame then command 224, as the editor begins.
    void startLink();

    // The next frame the parser completed, in arrival order.
    std::optional<HostFrame> next(std::chrono::milliseconds timeout = 3000ms);
    // The next frame with this command; frames before it are skipped.
    std::optional<HostFrame> nextWith(std::uint8_t command, std::chrono::milliseconds timeout = 3000ms);
    // `count` frames in arrival order (fewer on time-out).
    std::vector<HostFrame> take(std::size_t count, std::chrono::milliseconds timeout = 10000ms);
    // True if no frame arrives within `quiet`.
    bool silentFor(std::chrono::milliseconds quiet);

    std::vector<TimedReport> reports() const;  // every report received so far
    std::size_t reportCount() const;
    bool waitForReports(std::size_t count, std::chrono::milliseconds timeout);
    // True once the pedal hung up.
    bool waitClosed(std::chrono::milliseconds timeout);
    void close();

private:
    void readLoop();

    int fd_ = -1;
    std::optional<quorvex::vbus::Descriptor> descriptor_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<HostFrame> frames_;
    std::vector<TimedReport> reports_;
    bool closed_ = false;
    bool stop_ = false;
    std::thread reader_;
};

// A fresh bus folder per test, removed afterwards.
class TempBus {
public:
    TempBus();
    ~TempBus();
    const std::string& dir() const { return dir_; }

private:
    std::string dir_;
};

// A pedal that serves unpaced unless told otherwise, started on a fresh bus.
quorvex::pedal::PedalOptions fastOptions();

// A started pedal on a fresh bus with a greeted host connected to it.
class ConnectedPedalTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pedal.start());
        host = std::make_unique<TestHost>(pedal.socketPath());
        ASSERT_TRUE(host->connected());
        host->greet();
    }

    TempBus bus;
    quorvex::pedal::VirtualPedal pedal{bus.dir(), fastOptions()};
    std::unique_ptr<TestHost> host;
};

// Helpers for payload checks.
inline std::uint16_t be16(const std::vector<std::uint8_t>& p, std::size_t at) {
    return static_cast<std::uint16_t>(p[at] << 8 | p[at + 1]);
}

}  // namespace pedaltest
