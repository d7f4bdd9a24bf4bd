#include "soak_run.h"

#include "../tests/support/editor_with_pedal.h"
#include "commands.h"
#include "event_wait.h"
#include "resident_memory.h"
#include "soak_driver.h"
#include "state_check.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>

namespace quorvex::soak {
namespace {

using Clock = std::chrono::steady_clock;

// Memory may settle during the first minute (caches of the window's drawing, the
// allocator's pools of the link threads); growth is measured from then on.
constexpr auto kWarmUp = std::chrono::seconds(60);
// Growth allowed between the warm-up sample and the end. Without any leak the resident
// set still grows while Qt's glyph cache takes in the glyphs of each font size and
// position that preset names bring (about 0.4 MiB in a 10-minute run, less and less as
// the cache fills), and it moves by whole pages as the allocator's pools grow and
// shrink. A leak of a kilobyte per operation takes a 10-minute run over the margin.
constexpr std::uint64_t kMemoryMargin = 1024 * 1024;
// The link is quiet when nothing is due to be sent and no report has moved either
// way for this long (several turns of the send ring).
constexpr int kQuietMs = 1000;
constexpr int kQuietTimeoutMs = 20000;

std::string megabytes(std::uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f MiB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}

std::string clockText(Clock::duration d) {
    const auto s = std::chrono::duration_cast<std::chrono::seconds>(d).count();
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld", static_cast<long long>(s / 60), static_cast<long long>(s % 60));
    return text;
}

std::size_t framesFromEditor(const pedal::VirtualPedal& pedal) { return pedal.framesReceived(); }

bool nothingDue(AppDelegate& hub) {
    return hub.HidDevece()->withLinkLock([](ParameterBlocks&, CommandEncoder& encoder) {
        return std::none_of(kSchedulerRing.begin(), kSchedulerRing.end(), [&](std::uint8_t c) { return encoder.dirty(c); });
    });
}

bool waitUntilQuiet(const pedal::VirtualPedal& pedal, AppDelegate& hub) {
    auto traffic = [&] { return pedal.reportsReceived() + pedal.reportsSent(); };
    std::size_t seen = traffic();
    int still = 0;
    for (int waited = 0; waited < kQuietTimeoutMs; waited += 100) {
        pauseFor(100);
        const std::size_t now = traffic();
        still = now == seen && nothingDue(hub) ? still + 100 : 0;
        seen = now;
        if (still >= kQuietMs) return true;
    }
    return false;
}

void printCounts(const SoakDriver& driver, std::ostream& out) {
    std::size_t total = 0;
    for (const std::size_t n : driver.counts()) total += n;
    out << "Operations: " << total << " (";
    for (int k = 0; k < kOperationKinds; ++k)
        out << (k ? ", " : "") << operationName(static_cast<Operation>(k)) << " " << driver.counts()[static_cast<std::size_t>(k)];
    out << ")\n";
}

void printDifferences(const std::string& title, const std::vector<std::string>& differences, std::ostream& out) {
    if (differences.empty()) return;
    out << title << " (" << differences.size() << "):\n";
    for (const std::string& d : differences) out << "  " << d << "\n";
}

}  // namespace

int runSoak(const SoakOptions& options, std::ostream& out) {
    testing::EditorWithPedal rig;
    pedal::PedalOptions pedalOptions;
    pedalOptions.keepFrameLog = false;  // the log of every frame would grow for the whole run
    if (!rig.start(pedalOptions)) {
        out << "The virtual pedal did not start, or its presets did not reach the editor.\n";
        return kLinkFailure;
    }
    pedal::VirtualPedal& pedal = *rig.pedal;
    AppDelegate& hub = *rig.hub;
    QString linkFailure;
    QObject::connect(&hub, &AppDelegate::fatalAlert, &hub, [&linkFailure](const QString& m) { linkFailure = m; });
    // The pedal names its current preset last; after it the loaded preset reads as unedited.
    runUntil([&] { return !hub.GetIsChangeGuiData(); }, 3000);

    SoakDriver driver(*rig.window, pedal, options.seed);
    const auto duration = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::ratio<60>>(options.minutes));
    const auto warmUp = std::min<Clock::duration>(kWarmUp, duration / 2);
    const std::size_t toPedalAtStart = framesFromEditor(pedal);
    const std::size_t fromPedalAtStart = pedal.framesSent();
    const auto start = Clock::now();
    auto nextReport = start + std::chrono::seconds(options.reportEvery);
    std::uint64_t rssWarm = 0;
    std::uint64_t heapWarm = 0;
    out << "Driving the editor against the virtual pedal for " << options.minutes << " minutes, seed " << options.seed << ".\n"
        << std::flush;

    // At each report the guitarist pauses: once the link is quiet both sides must agree.
    // A difference found there is told at once and fails the run at its end.
    std::size_t checkpoints = 0;
    std::size_t checkpointFailures = 0;
    const auto agreement = [&] {
        auto differences = compareLiveSound(pedal, *rig.window);
        for (auto& d : compareStoredPresets(pedal, hub, *rig.window, driver.saves())) differences.push_back(std::move(d));
        return differences;
    };
    while (Clock::now() - start < duration && linkFailure.isEmpty() && pedal.pluggedIn()) {
        driver.step();
        const auto now = Clock::now();
        if (rssWarm == 0 && now - start >= warmUp) {
            rssWarm = residentBytes();
            heapWarm = heapInUse();
        }
        if (options.reportEvery <= 0 || now < nextReport) continue;
        std::size_t total = 0;
        for (const std::size_t n : driver.counts()) total += n;
        out << "[" << clockText(now - start) << "] " << total << " operations, " << framesFromEditor(pedal) - toPedalAtStart
            << " frames to the pedal, " << pedal.framesSent() - fromPedalAtStart << " from it, resident "
            << megabytes(residentBytes()) << " (heap in use " << megabytes(heapInUse()) << ")\n" << std::flush;
        nextReport += std::chrono::seconds(options.reportEvery);
        if (!waitUntilQuiet(pedal, hub)) {
            out << "The link did not come to rest for the check at " << clockText(now - start) << ".\n";
            continue;
        }
        ++checkpoints;
        const auto differences = agreement();
        if (differences.empty()) continue;
        ++checkpointFailures;
        printDifferences("At " + clockText(now - start) + " the pedal and the editor disagree", differences, out);
    }
    const auto driven = Clock::now() - start;

    const auto quietStart = Clock::now();
    const bool quiet = linkFailure.isEmpty() && pedal.pluggedIn() && waitUntilQuiet(pedal, hub);
    const auto quietTime = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - quietStart);
    const std::uint64_t rssEnd = residentBytes();
    const std::uint64_t heapEnd = heapInUse();

    printCounts(driver, out);
    out << "Slots saved: " << driver.slotsSaved() << " different\n"
        << "Frames: " << framesFromEditor(pedal) - toPedalAtStart << " from the editor to the pedal, "
        << pedal.framesSent() - fromPedalAtStart << " from the pedal to the editor (" << framesFromEditor(pedal) << " and "
        << pedal.framesSent() << " with the start-up)\n"
        << "Duration: " << clockText(driven) << " driving, then " << quietTime.count() << " ms until the link was quiet\n"
        << "Resident memory: " << megabytes(rssWarm) << " after the warm-up (" << clockText(warmUp) << "), "
        << megabytes(rssEnd) << " at the end (margin " << megabytes(kMemoryMargin) << "); heap in use "
        << megabytes(heapWarm) << " and " << megabytes(heapEnd) << "\n";

    if (!linkFailure.isEmpty() || !pedal.pluggedIn() || !quiet) {
        out << "FAILED: " << (!linkFailure.isEmpty() ? linkFailure.toStdString()
                              : !pedal.pluggedIn() ? std::string("the virtual pedal went away.")
                                                   : std::string("the link did not come to rest: frames kept moving."))
            << "\n";
        return kLinkFailure;
    }
    const auto differences = agreement();
    printDifferences("At the end the pedal and the editor disagree", differences, out);
    out << "Checkpoints: " << checkpoints + 1 << ", " << checkpointFailures + (differences.empty() ? 0 : 1)
        << " with differences\n";
    if (!differences.empty() || checkpointFailures > 0) {
        out << "FAILED: the pedal and the editor disagree.\n";
        return kStateMismatch;
    }
    if (rssEnd > rssWarm + kMemoryMargin) {
        out << "FAILED: memory grew by " << megabytes(rssEnd - rssWarm) << " after the warm-up.\n";
        return kMemoryGrew;
    }
    out << "Clean: the pedal and the editor agree, and memory held.\n";
    return kClean;
}

}  // namespace quorvex::soak
