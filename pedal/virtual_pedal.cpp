#include "virtual_pedal.h"

#include "factory_content.h"
#include "frame.h"
#include "frame_parser.h"
#include "link_faults.h"
#include "pedal_core.h"
#include "report_pacer.h"
#include "rx_ring.h"
#include "virtual_bus.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace quorvex::pedal {
namespace {

constexpr auto kAcceptWait = std::chrono::milliseconds(50);
constexpr auto kIdleWait = std::chrono::milliseconds(5);
constexpr const char* kDeviceName = "QUORVEX III";

struct OutgoingReport {
    Report report;
    bool endsFrame = false;
    bool spared = false;  // never lost: the identity answer must arrive for a link to start
};

}  // namespace

// Threads: the serving thread owns the socket, the receive ring, the parser and the
// reports on their way out; every other member is guarded by `mutex`, which is never
// held while sleeping or waiting on the socket.
struct VirtualPedal::Impl {
    Impl(std::string dir, PedalOptions opts)
        : busDir(std::move(dir)),
          options(std::move(opts)),
          core(factoryMemory(), PedalCore::Texts{options.product, options.firmware}, !options.noAcks,
               options.echoSaves) {}

    const std::string busDir;
    const PedalOptions options;

    mutable std::mutex mutex;
    mutable std::condition_variable frameArrived;
    PedalCore core;
    std::deque<Frame> outbox;  // frames of the current session not yet cut into reports
    bool hostConnected = false;
    std::vector<ReceivedFrame> received;
    std::size_t reportsIn = 0;
    std::size_t reportsOut = 0;
    std::size_t reportsLost = 0;
    std::size_t framesOut = 0;
    std::size_t framesIn = 0;
    std::size_t sessionCount = 0;

    std::atomic<bool> stopRequested{false};
    std::atomic<bool> plugged{false};
    std::thread thread;
    std::unique_ptr<vbus::DeviceSocket> socket;

    // Serving thread only.
    std::unique_ptr<RxRing> ring;
    std::unique_ptr<FrameParser> parser;
    std::deque<OutgoingReport> reports;
    std::unique_ptr<LinkFaults> faults;
    ReportPacer pacer{true};
    std::size_t framesSinceStart = 0;
    std::size_t unplugCommandsSeen = 0;  // frames with options.unplugOnCommand received
    std::map<std::uint8_t, int> framesOfCommand;  // received, for options.loseAnswersTo
    bool unplugOnCommandDue = false;
    bool faultsArmed = false;

    void serve();
    void beginSession();
    void endSession();
    void pullFrame();
    void sendNext();
    void takeReport(const Report& report);
    void onFrame(const std::uint8_t* frame, std::size_t size);
    bool unplugDue() const {
        return unplugOnCommandDue || (options.unplugAfterFrames >= 0 &&
                                      framesSinceStart >= static_cast<std::size_t>(options.unplugAfterFrames));
    }
    void queue(std::optional<Frame> frame) {
        if (frame && hostConnected) outbox.push_back(std::move(*frame));
    }
};

void VirtualPedal::Impl::serve() {
    while (!stopRequested) {
        if (unplugDue()) {
            endSession();
            socket->close();
            plugged = false;
            return;
        }
        if (!socket->connected()) {
            if (socket->accept(kAcceptWait)) beginSession();
            continue;
        }
        if (reports.empty()) pullFrame();
        if (!reports.empty()) {
            pacer.takeSlot();
            sendNext();
            if (!socket->connected()) {
                endSession();
                continue;
            }
            // At most one report from the host in each slot.
            if (auto in = socket->receive(std::chrono::milliseconds(0))) takeReport(*in);
        } else {
            pacer.idle();
            std::this_thread::sleep_for(pacer.untilNextSlot());
            if (auto in = socket->receive(kIdleWait)) {
                pacer.markUsed();
                takeReport(*in);
            }
        }
        if (!socket->connected()) endSession();
    }
    endSession();
}

void VirtualPedal::Impl::beginSession() {
    ring = std::make_unique<RxRing>();
    parser = std::make_unique<FrameParser>(*ring, [this](const std::uint8_t* f, std::size_t n) { onFrame(f, n); });
    reports.clear();
    pacer = ReportPacer(options.paced);
    std::lock_guard lock(mutex);
    outbox.clear();
    hostConnected = true;
    ++sessionCount;
}

void VirtualPedal::Impl::endSession() {
    if (socket && socket->connected()) socket->disconnect();
    reports.clear();
    std::lock_guard lock(mutex);
    hostConnected = false;
    outbox.clear();
}

void VirtualPedal::Impl::pullFrame() {
    Frame frame;
    {
        std::lock_guard lock(mutex);
        if (outbox.empty()) return;
        frame = std::move(outbox.front());
        outbox.pop_front();
    }
    // Faults strike the traffic after the identity answer (command 0), which a host needs
    // whole before it listens to anything else.
    const bool identity = frame.size() > kHeaderSize && frame[4] == 0;
    if (!identity && faultsArmed) faults->maybeCorrupt(frame);
    const auto cut = cutIntoReports(frame.data(), frame.size());
    for (std::size_t i = 0; i < cut.size(); ++i) reports.push_back({cut[i], i + 1 == cut.size(), identity});
}

void VirtualPedal::Impl::sendNext() {
    const OutgoingReport out = reports.front();
    reports.pop_front();
    const bool lost = !out.spared && faultsArmed && faults->dropReport();
    if (!lost && !socket->send(out.report)) {
        // The host went away or stopped reading: the session is over.
        socket->disconnect();
        return;
    }
    if (out.endsFrame) ++framesSinceStart;
    std::lock_guard lock(mutex);
    (lost ? reportsLost : reportsOut) += 1;
    if (out.endsFrame) ++framesOut;
}

void VirtualPedal::Impl::takeReport(const Report& report) {
    {
        std::lock_guard lock(mutex);
        ++reportsIn;
    }
    const std::size_t count = report[0];
    if (count == 0 || count > kReportPayload) return;  // the greeting, or not a valid report
    if (!ring->put(report.data() + 1, count)) return;
    // One run drops at most one stray byte before a start mark: run until nothing moves.
    for (std::size_t before = ring->size(); before > 0; before = ring->size()) {
        parser->run();
        if (ring->size() == before) break;
    }
}

void VirtualPedal::Impl::onFrame(const std::uint8_t* frame, std::size_t size) {
    if (unplugOnCommandDue) return;
    const std::uint8_t cmd = frame[4];
    if (cmd == options.faultsFromCommand) faultsArmed = true;
    // The pedal loses power as this frame arrives: it is neither kept nor answered.
    if (cmd == options.unplugOnCommand && ++unplugCommandsSeen == static_cast<std::size_t>(options.unplugOnOccurrence)) {
        unplugOnCommandDue = true;
        return;
    }
    const std::span<const std::uint8_t> payload(frame + kHeaderSize, size - kFrameOverhead - 1);
    std::vector<Frame> answers;
    std::lock_guard lock(mutex);
    ++framesIn;
    if (options.keepFrameLog) received.push_back({cmd, std::vector<std::uint8_t>(payload.begin(), payload.end())});
    core.handle(cmd, payload, answers);
    if (const auto lost = options.loseAnswersTo.find(cmd);
        lost != options.loseAnswersTo.end() && std::ranges::count(lost->second, ++framesOfCommand[cmd]) > 0)
        answers.clear();
    if (hostConnected) {
        for (auto& answer : answers) outbox.push_back(std::move(answer));
    }
    frameArrived.notify_all();
}

VirtualPedal::VirtualPedal(std::string busDir, PedalOptions options)
    : impl_(std::make_unique<Impl>(std::move(busDir), std::move(options))) {}

VirtualPedal::~VirtualPedal() { stop(); }

bool VirtualPedal::start() {
    Impl& d = *impl_;
    if (d.thread.joinable()) {
        if (d.plugged) return true;
        d.thread.join();  // unplugged itself; plug in again
    }
    const vbus::Descriptor descriptor{d.options.vendor, d.options.productId, d.options.release, kDeviceName};
    d.socket = std::make_unique<vbus::DeviceSocket>(d.busDir, d.options.socketName, descriptor);
    if (!d.socket->listen()) {
        d.socket.reset();
        return false;
    }
    d.faults = std::make_unique<LinkFaults>(d.options.dropRate, d.options.corruptRate, d.options.seed);
    d.framesSinceStart = 0;
    d.unplugCommandsSeen = 0;
    d.framesOfCommand.clear();
    d.unplugOnCommandDue = false;
    d.faultsArmed = d.options.faultsFromCommand < 0;
    d.stopRequested = false;
    d.plugged = true;
    d.thread = std::thread([&d] { d.serve(); });
    return true;
}

void VirtualPedal::stop() {
    Impl& d = *impl_;
    d.stopRequested = true;
    if (d.thread.joinable()) d.thread.join();
    d.socket.reset();  // closes and removes the socket file
    d.plugged = false;
}

void VirtualPedal::unplug() { stop(); }

bool VirtualPedal::pluggedIn() const { return impl_->plugged; }

void VirtualPedal::turnKnob(Module module, int element, std::uint32_t value) {
    std::lock_guard lock(impl_->mutex);
    impl_->queue(impl_->core.turnKnob(module, element, value));
}

void VirtualPedal::selectPreset(int slot) {
    std::lock_guard lock(impl_->mutex);
    impl_->queue(impl_->core.selectPreset(slot));
}

void VirtualPedal::moveChain(const std::array<std::uint32_t, 18>& chain) {
    std::lock_guard lock(impl_->mutex);
    impl_->queue(impl_->core.moveChain(chain));
}

void VirtualPedal::showModule(Module module) {
    std::lock_guard lock(impl_->mutex);
    impl_->queue(impl_->core.showModule(module));
}

void VirtualPedal::showSettingsPage(std::uint8_t b, std::uint8_t c) {
    std::lock_guard lock(impl_->mutex);
    impl_->queue(impl_->core.showSettingsPage(b, c));
}

void VirtualPedal::changeSetting(std::uint8_t command, const std::vector<std::uint8_t>& payload) {
    std::lock_guard lock(impl_->mutex);
    impl_->queue(impl_->core.changeSetting(command, payload));
}

PresetRecord VirtualPedal::record(int slot) const {
    if (slot < 0 || slot >= kSlotCount) return {};
    std::lock_guard lock(impl_->mutex);
    return impl_->core.memory().presets[static_cast<std::size_t>(slot)];
}

ModuleBlock VirtualPedal::block(Module module) const {
    std::lock_guard lock(impl_->mutex);
    return impl_->core.memory().live.module(module);
}

std::array<std::uint32_t, 18> VirtualPedal::chain() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->core.memory().live.chain;
}

int VirtualPedal::currentPreset() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->core.memory().currentPreset;
}

std::vector<ReceivedFrame> VirtualPedal::receivedFrames() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->received;
}

std::size_t VirtualPedal::reportsReceived() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->reportsIn;
}

std::size_t VirtualPedal::framesSent() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->framesOut;
}

std::size_t VirtualPedal::framesReceived() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->framesIn;
}

bool VirtualPedal::waitForCommand(std::uint8_t command, std::chrono::milliseconds timeout,
                                  std::size_t occurrence) const {
    std::unique_lock lock(impl_->mutex);
    return impl_->frameArrived.wait_for(lock, timeout, [&] {
        const auto n = std::count_if(impl_->received.begin(), impl_->received.end(),
                                     [command](const ReceivedFrame& f) { return f.command == command; });
        return static_cast<std::size_t>(n) >= occurrence;
    });
}

GlobalSettings VirtualPedal::settings() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->core.memory().settings;
}

LiveSound VirtualPedal::liveSound() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->core.memory().live;
}

PresetRecord VirtualPedal::liveRecord() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->core.liveRecord();
}

IrSlot VirtualPedal::irSlot(int slot) const {
    if (slot < 0 || slot >= kUserSlots) return {};
    std::lock_guard lock(impl_->mutex);
    return impl_->core.memory().irSlots[static_cast<std::size_t>(slot)];
}

AmpSlot VirtualPedal::ampSlot(int slot) const {
    if (slot < 0 || slot >= kUserSlots) return {};
    std::lock_guard lock(impl_->mutex);
    return impl_->core.memory().ampSlots[static_cast<std::size_t>(slot)];
}

std::size_t VirtualPedal::reportsSent() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->reportsOut;
}

std::size_t VirtualPedal::reportsDropped() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->reportsLost;
}

std::size_t VirtualPedal::sessions() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->sessionCount;
}

std::string VirtualPedal::socketPath() const { return impl_->busDir + "/" + impl_->options.socketName; }

std::vector<PresetRecord> VirtualPedal::factoryPresets() { return factoryPresetRecords(); }

}  // namespace quorvex::pedal
