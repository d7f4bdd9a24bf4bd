#include "virtual_boot_loader.h"

#include "boot_loader_commands.h"
#include "frame.h"
#include "frame_parser.h"
#include "link_faults.h"
#include "report_pacer.h"
#include "rx_ring.h"
#include "virtual_bus.h"

#include <atomic>
#include <deque>
#include <mutex>
#include <thread>

namespace quorvex::pedal {
namespace {
constexpr auto kAcceptWait = std::chrono::milliseconds(50);
constexpr auto kIdleWait = std::chrono::milliseconds(5);
}  // namespace

// The serving thread owns the socket, the ring, the parser and the outgoing reports;
// the core and the record of received frames are guarded by `mutex`.
struct VirtualBootLoader::Impl {
    Impl(std::string dir, BootLoaderOptions opts) : busDir(std::move(dir)), options(std::move(opts)), core(options) {}

    const std::string busDir;
    const BootLoaderOptions options;
    mutable std::mutex mutex;
    BootLoaderCore core;
    std::vector<ReceivedFrame> received;

    std::atomic<bool> stopRequested{false};
    std::atomic<bool> plugged{false};
    std::thread thread;
    std::unique_ptr<vbus::DeviceSocket> socket;

    RxRing ring;
    FrameParser parser{ring, [this](const std::uint8_t* f, std::size_t n) { onFrame(f, n); }};
    struct Answer {
        std::chrono::steady_clock::time_point due;
        Report report;
    };
    std::deque<Answer> outgoing;
    ReportPacer pacer{true};
    LinkFaults faults{options.dropRate, options.corruptRate, options.seed};

    void serve();
    void take(const Report& report);
    void onFrame(const std::uint8_t* frame, std::size_t size);
    bool unplugDue() const {
        std::lock_guard lock(mutex);
        return core.unplugDue();
    }
};

void VirtualBootLoader::Impl::serve() {
    while (!stopRequested) {
        if (unplugDue()) break;
        if (!socket->connected()) {
            if (socket->accept(kAcceptWait)) {
                ring.reset();
                parser.reset();
                outgoing.clear();
            }
            continue;
        }
        std::optional<Report> in;
        if (!outgoing.empty() && outgoing.front().due <= std::chrono::steady_clock::now()) {
            pacer.takeSlot();
            if (!socket->send(outgoing.front().report)) socket->disconnect();
            outgoing.pop_front();
            if (socket->connected()) in = socket->receive(std::chrono::milliseconds(0));
        } else {
            pacer.idle();
            std::this_thread::sleep_for(pacer.untilNextSlot());
            in = socket->receive(kIdleWait);
            if (in) pacer.markUsed();
        }
        if (in) take(*in);
    }
    socket->close();
    plugged = false;
}

void VirtualBootLoader::Impl::take(const Report& report) {
    const std::size_t count = report[0];
    if (count == 0 || count > kReportPayload) return;
    if (ring.put(report.data() + 1, count)) parser.run();
}

void VirtualBootLoader::Impl::onFrame(const std::uint8_t* frame, std::size_t size) {
    const std::span<const std::uint8_t> payload(frame + kHeaderSize, size - kFrameOverhead - 1);
    std::vector<std::vector<std::uint8_t>> answers;
    const auto due = std::chrono::steady_clock::now() + options.replyDelay;
    {
        std::lock_guard lock(mutex);
        received.push_back({frame[4], {payload.begin(), payload.end()}});
        core.handle(frame[4], payload, answers);
    }
    for (auto& answer : answers) {
        if (answer[4] == bootloader::kHandshakeReply) {
            // The identity answer travels whole: an updater needs it before anything else.
        } else if (faults.dropReport()) {
            continue;  // every answer fits one report
        } else {
            faults.maybeCorrupt(answer);
        }
        forEachReport(answer.data(), answer.size(), [this, due](const Report& r) {
            outgoing.push_back({due, r});
            return true;
        });
    }
}

VirtualBootLoader::VirtualBootLoader(std::string busDir, BootLoaderOptions options)
    : impl_(std::make_unique<Impl>(std::move(busDir), std::move(options))) {}

VirtualBootLoader::~VirtualBootLoader() { stop(); }

bool VirtualBootLoader::start() {
    Impl& d = *impl_;
    if (d.thread.joinable()) return d.plugged;
    const vbus::Descriptor descriptor{d.options.vendor, d.options.productId, d.options.release,
                                      "QUORVEX III boot loader"};
    d.socket = std::make_unique<vbus::DeviceSocket>(d.busDir, d.options.socketName, descriptor);
    if (!d.socket->listen()) {
        d.socket.reset();
        return false;
    }
    d.pacer = ReportPacer(d.options.paced);
    d.plugged = true;
    d.thread = std::thread([&d] { d.serve(); });
    return true;
}

void VirtualBootLoader::stop() {
    Impl& d = *impl_;
    d.stopRequested = true;
    if (d.thread.joinable()) d.thread.join();
    d.socket.reset();
    d.plugged = false;
}

bool VirtualBootLoader::pluggedIn() const { return impl_->plugged; }

std::vector<ReceivedFrame> VirtualBootLoader::receivedFrames() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->received;
}

std::vector<WrittenArea> VirtualBootLoader::areas() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->core.areas();
}

std::optional<std::string> VirtualBootLoader::verify(const updater::FirmwareImage& image) const {
    std::lock_guard lock(impl_->mutex);
    return impl_->core.verify(image);
}

bool VirtualBootLoader::jumped() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->core.jumped();
}

std::string VirtualBootLoader::socketPath() const { return impl_->busDir + "/" + impl_->options.socketName; }

}  // namespace quorvex::pedal
