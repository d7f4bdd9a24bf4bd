#include "pedal_host.h"

#include "frame_parser.h"
#include "rx_ring.h"

#include <filesystem>
#include <stdexcept>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace pedaltest {

TestHost::TestHost(const std::string& socketPath) {
    const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    if (fd < 0 || ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        if (fd >= 0) ::close(fd);
        return;
    }
    pollfd p{fd, POLLIN, 0};
    std::uint8_t buffer[4096];
    if (::poll(&p, 1, 2000) == 1) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n > 0) descriptor_ = quorvex::vbus::decodeDescriptor({buffer, static_cast<std::size_t>(n)});
    }
    fd_ = fd;
    reader_ = std::thread([this] { readLoop(); });
}

TestHost::~TestHost() { close(); }

void TestHost::close() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    if (reader_.joinable()) reader_.join();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void TestHost::readLoop() {
    quorvex::RxRing ring;
    quorvex::FrameParser parser(ring, [this](const std::uint8_t* f, std::size_t n) {
        HostFrame frame{f[4], std::vector<std::uint8_t>(f + quorvex::kHeaderSize, f + n - 2)};
        std::lock_guard lock(mutex_);
        frames_.push_back(std::move(frame));
        changed_.notify_all();
    });
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (stop_) return;
        }
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 10) <= 0) continue;
        quorvex::Report report{};
        const ssize_t n = ::recv(fd_, report.data(), report.size(), MSG_DONTWAIT);
        if (n <= 0) {
            if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                std::lock_guard lock(mutex_);
                closed_ = true;
                changed_.notify_all();
                return;
            }
            continue;
        }
        {
            std::lock_guard lock(mutex_);
            reports_.push_back({report, Clock::now()});
            changed_.notify_all();
        }
        const std::size_t count = report[0] <= quorvex::kReportPayload ? report[0] : 0;
        ring.put(report.data() + 1, count);
        for (std::size_t before = ring.size(); before > 0; before = ring.size()) {
            parser.run();
            if (ring.size() == before) break;
        }
    }
}

void TestHost::sendReport(const quorvex::Report& report) {
    if (fd_ >= 0) ::send(fd_, report.data(), report.size(), MSG_NOSIGNAL);
}

void TestHost::greet() { sendReport(quorvex::Report{}); }

void TestHost::send(std::uint8_t command, std::span<const std::uint8_t> payload) {
    const auto frame = quorvex::buildFrame(command, payload);
    for (const auto& report : quorvex::cutIntoReports(frame.data(), frame.size())) sendReport(report);
}

void TestHost::send(std::uint8_t command, std::initializer_list<std::uint8_t> payload) {
    send(command, std::span<const std::uint8_t>(payload.begin(), payload.size()));
}

void TestHost::startLink() {
    greet();
    send(0, {0x00});
    send(224);
}

std::optional<HostFrame> TestHost::next(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, timeout, [this] { return !frames_.empty(); })) return std::nullopt;
    HostFrame frame = std::move(frames_.front());
    frames_.pop_front();
    return frame;
}

std::optional<HostFrame> TestHost::nextWith(std::uint8_t command, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return std::nullopt;
        auto frame = next(left);
        if (!frame) return std::nullopt;
        if (frame->command == command) return frame;
    }
}

std::vector<HostFrame> TestHost::take(std::size_t count, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    std::vector<HostFrame> out;
    while (out.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) break;
        auto frame = next(left);
        if (!frame) break;
        out.push_back(std::move(*frame));
    }
    return out;
}

bool TestHost::silentFor(std::chrono::milliseconds quiet) {
    std::unique_lock lock(mutex_);
    return !changed_.wait_for(lock, quiet, [this] { return !frames_.empty(); });
}

std::vector<TimedReport> TestHost::reports() const {
    std::lock_guard lock(mutex_);
    return reports_;
}

std::size_t TestHost::reportCount() const {
    std::lock_guard lock(mutex_);
    return reports_.size();
}

bool TestHost::waitForReports(std::size_t count, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return reports_.size() >= count; });
}

bool TestHost::waitClosed(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return closed_; });
}

TempBus::TempBus() {
    char pattern[] = "/tmp/qpedal-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
    dir_ = pattern;
}

TempBus::~TempBus() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

quorvex::pedal::PedalOptions fastOptions() {
    quorvex::pedal::PedalOptions options;
    options.paced = false;
    return options;
}

}  // namespace pedaltest
