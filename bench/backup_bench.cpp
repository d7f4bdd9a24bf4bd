// Backup and restore of the whole pedal against the virtual pedal, paced like the real
// one, with the link's real 10 ms tick. The design bound is one turn of the
// scheduler's 26-step ring per block: each request or write waits for its answer
// before the next is raised, and then for its step to come round again.
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
    DeviceThread link(std::make_unique<VirtualBusBackend>(dir.string()), events, options);
    link.start();
    while (!events.loaded) std::this_thread::sleep_for(10ms);

    double backupRatio = 0.0, restoreRatio = 0.0;
    for (auto _ : state) {
        BackupAssembler assembler;
        const auto backup = makeBackupTransfer(link, assembler, 1ms);
        const double backupSeconds = timed(*backup);
        Tv_Backup file = assembler.build(backupPresets(link));
        file.seal();
        Tv_Backup read = Tv_Backup::forThisPedal();
        read.readBytes(file.bytes());
        const auto blocks = restoreBlocks(read);
        const auto restore = makeRestoreTransfer(link, blocks, 1ms);
        const double restoreSeconds = timed(*restore);
        if (backupSeconds < 0 || restoreSeconds < 0) {
            state.SkipWithError("a transfer did not complete");
            break;
        }
        state.SetIterationTime(backupSeconds + restoreSeconds);
        backupRatio = backupSeconds / (static_cast<double>(backup->stepCount()) * kRingCycle);
        restoreRatio = restoreSeconds / (static_cast<double>(blocks.size()) * kRingCycle);
    }
    state.counters["backup_vs_bound"] = backupRatio;
    state.counters["restore_vs_bound"] = restoreRatio;
    link.shutdown();
    pedal.stop();
}
BENCHMARK(BM_BackupAndRestore)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
