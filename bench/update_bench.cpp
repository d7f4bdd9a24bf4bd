// Writing a generated firmware image into the virtual boot loader, paced like a
// full-speed USB HID device, compared with the wire bound: every report of every
// command at one per millisecond, plus the boot loader's one-report answer to each
// command that is answered.
#include "firmware_image_writer.h"
#include "frame.h"
#include "libupdate_tavro.h"
#include "scratch_folder.h"
#include "virtual_boot_loader.h"
#include "virtual_bus_backend.h"

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>

namespace {

using namespace quorvex;
using Clock = std::chrono::steady_clock;

class EndWatch : public updater::XBUpdateDelegate {
public:
    void xbUpdateProgress(float) override {}
    void xbUpdateSuccess() override { end(true); }
    void xbUpdateFailed(const std::string&) override { end(false); }
    // Whether the update succeeded; waits for its end.
    bool wait() {
        std::unique_lock lock(mutex_);
        cv_.wait_for(lock, std::chrono::seconds(120), [this] { return ended_; });
        return succeeded_;
    }

private:
    void end(bool ok) {
        {
            std::lock_guard lock(mutex_);
            ended_ = true;
            succeeded_ = ok;
        }
        cv_.notify_all();
    }
    std::mutex mutex_;
    std::condition_variable cv_;
    bool ended_ = false, succeeded_ = false;
};

std::size_t reportsFor(std::size_t payload) {
    return (payload + 1 + kFrameOverhead + kReportPayload - 1) / kReportPayload;
}

// Milliseconds the wire needs at best for the whole update of this image.
double wireBoundMs(const updater::ImagePlan& plan) {
    std::size_t reports = reportsFor(1) + reportsFor(1) + 1;  // start; handshake and its answer
    for (const auto& tag : plan.tags) {
        if (!tag.erase) continue;
        reports += reportsFor(4) + 1;  // erase and its answer
        for (std::size_t left = tag.size; left > 0; left -= std::min<std::size_t>(left, 512)) {
            reports += reportsFor(2 + std::min<std::size_t>(left, 512)) + 1;
        }
    }
    return static_cast<double>(reports + reportsFor(1));  // and the jump
}

void BM_FirmwareUpdate(benchmark::State& state) {
    const bench::ScratchFolder folder("qvx-upd-bench");
    const auto& dir = folder.path();
    updater::ImagePlan plan;
    plan.tags = {{static_cast<std::size_t>(state.range(0)), 0}, {1100, 1024}};
    const std::string image = (dir / "image.tr").string();
    double seconds = 0.0;
    for (auto _ : state) {
        folder.fresh();
        updater::writeFirmwareImage(plan, image);
        pedal::VirtualBootLoader loader(dir.string());
        loader.start();
        EndWatch watch;
        updater::libupdate_tavro facade(std::make_unique<VirtualBusBackend>(dir.string()),
                                        [](const std::function<void()>& call) { call(); });
        facade.setXbDelegate(&watch);
        facade.setPid(0, 0x0483, 0x00C8);
        if (facade.connectDeviceUpdate("KIRO_QUORVEXIII", "V1.1.0") != 1) {
            state.SkipWithError("the boot loader did not identify itself");
            break;
        }
        const auto start = Clock::now();
        facade.beginUpdate(image);
        const bool ok = watch.wait();
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (!ok) {
            state.SkipWithError("the update failed");
            break;
        }
        state.SetIterationTime(seconds);
    }
    const double bound = wireBoundMs(plan) / 1000.0;
    state.counters["wire_bound_s"] = bound;
    state.counters["update_s"] = seconds;
    state.counters["ratio"] = seconds / bound;
}
BENCHMARK(BM_FirmwareUpdate)->Arg(64 * 1024)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
