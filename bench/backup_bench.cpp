// Backup and restore of the whole pedal against the virtual pedal, which answers at once
// and moves one report per millisecond each way, with the link's real 10 ms tick. Each
// block waits for the answer to the one before; then it goes out on the first free tick
// (argument 0) or, paced, waits for its step of the ring to come round (argument 1).
// Printed per block: the time in milliseconds, the ratio to the old bound of one ring turn
// per block, and the ratio to the wire's bound of one millisecond per report moved.
#include "commands.h"
#include "scratch_folder.h"
#include "virtual_bus_backend.h"
#include "virtual_pedal.h"
#include "whole_pedal_transfers.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEventLoop>

#include <atomic>
#include <filesystem>
#include <thread>

namespace {

using namespace quorvex;
using namespace std::chrono_literals;

class LoadedFlag : public LinkEvents {
public:
    void postEvent(EventCode, std::vector<std::uint32_t>) override {}
    void postSetIsChangeGuiData(bool) override {}
    void postLoadProgress(float) override {}
    void postPresetList(std::vector<std::string>, std::vector<int>) override { loaded = true; }
    void exitApp(std::string) override {}
    void postFirmwareTooOld() override {}
    std::atomic<bool> loaded{false};
};

constexpr double kRingCycle = static_cast<double>(kSchedulerRing.size()) * 0.010;

// Seconds the transfer took, or a negative number when it did not end well.
double timed(LinkTransfer& transfer) {
    QEventLoop loop;
    bool done = false;
    QObject::connect(&transfer, &LinkTransfer::finished, &loop, [&](LinkTransfer::End end) {
        done = end == LinkTransfer::End::Done;
        loop.quit();
    });
    const auto start = std::chrono::steady_clock::now();
    transfer.start();
    loop.exec();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return done ? seconds : -1.0;
}

struct Measured {
    double seconds = -1.0;  // negative when the transfer did not end well
    std::size_t reports = 0;  // moved both ways
};

Measured measure(LinkTransfer& transfer, const pedal::VirtualPedal& pedal) {
    const std::size_t before = pedal.reportsSent() + pedal.reportsReceived();
    Measured m;
    m.seconds = timed(transfer);
    m.reports = pedal.reportsSent() + pedal.reportsReceived() - before;
    return m;
}

void count(benchmark::State& state, const std::string& name, const Measured& m, std::size_t blocks) {
    const auto n = static_cast<double>(blocks);
    state.counters[name + "_ms_per_block"] = 1000.0 * m.seconds / n;
    state.counters[name + "_vs_ring_bound"] = m.seconds / (n * kRingCycle);
    state.counters[name + "_vs_wire_bound"] = m.seconds / (static_cast<double>(m.reports) * 0.001);
}

void BM_BackupAndRestore(benchmark::State& state) {
    int argc = 1;
    char name[] = "bench_backup";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    const bench::ScratchFolder folder("qvx-backup-bench");
    const auto& dir = folder.path();
    pedal::VirtualPedal pedal(dir.string());
    pedal.start();
    LoadedFlag events;
    LinkOptions options;
    options.startDelay = 0ms;
    options.pacedTransfers = state.range(0) != 0;
    DeviceThread link(std::make_unique<VirtualBusBackend>(dir.string()), events, options);
    link.start();
    while (!events.loaded) std::this_thread::sleep_for(10ms);

    for (auto _ : state) {
        BackupAssembler assembler;
        const auto backup = makeBackupTransfer(link, assembler, 1ms);
        const Measured backupTime = measure(*backup, pedal);
        Tv_Backup file = assembler.build(backupPresets(link));
        file.seal();
        Tv_Backup read = Tv_Backup::forThisPedal();
        read.readBytes(file.bytes());
        const auto blocks = restoreBlocks(read);
        const auto restore = makeRestoreTransfer(link, blocks, 1ms);
        const Measured restoreTime = measure(*restore, pedal);
        if (backupTime.seconds < 0 || restoreTime.seconds < 0) {
            state.SkipWithError("a transfer did not complete");
            break;
        }
        state.SetIterationTime(backupTime.seconds + restoreTime.seconds);
        count(state, "backup", backupTime, static_cast<std::size_t>(backup->stepCount()));
        count(state, "restore", restoreTime, blocks.size());
    }
    link.shutdown();
    pedal.stop();
}
BENCHMARK(BM_BackupAndRestore)->ArgName("paced")->Arg(0)->Arg(1)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
