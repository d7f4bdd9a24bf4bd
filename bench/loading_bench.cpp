// Loading the 300 presets from the virtual pedal, paced like a full-speed USB HID
// device, compared with the wire limit: the reports the records need at one per ms.
#include "device_thread.h"
#include "frame.h"
#include "scratch_folder.h"
#include "virtual_bus_backend.h"
#include "virtual_pedal.h"

#include <benchmark/benchmark.h>

#include <condition_variable>
#include <filesystem>
#include <mutex>

namespace {

using namespace quorvex;
using Clock = std::chrono::steady_clock;

class LoadWatch : public LinkEvents {
public:
    void postEvent(EventCode, std::vector<std::uint32_t>) override {}
    void postSetIsChangeGuiData(bool) override {}
    void postLoadProgress(float) override {}
    void postPresetList(std::vector<std::string>, std::vector<int>) override { mark(done_); }
    void exitApp(std::string) override { mark(failed_); }
    void postFirmwareTooOld() override { mark(failed_); }
    void traceFrame(const std::string& line) override {
        if (line.find("send:aa 55 01 00 e0") != std::string::npos) {
            std::lock_guard lock(mutex_);
            helloAt_ = Clock::now();
        }
    }
    // Seconds from the hello (command 224) to the full preset list, or a negative number.
    double wait() {
        std::unique_lock lock(mutex_);
        cv_.wait_for(lock, std::chrono::seconds(60), [this] { return done_ || failed_; });
        if (!done_) return -1.0;
        return std::chrono::duration<double>(finishedAt_ - helloAt_).count();
    }

private:
    void mark(bool& flag) {
        {
            std::lock_guard lock(mutex_);
            flag = true;
            finishedAt_ = Clock::now();
        }
        cv_.notify_all();
    }
    std::mutex mutex_;
    std::condition_variable cv_;
    bool done_ = false, failed_ = false;
    Clock::time_point helloAt_, finishedAt_;
};

void BM_LoadPresets(benchmark::State& state) {
    const bench::ScratchFolder folder("qvx-bench");
    const auto& dir = folder.path();
    const std::size_t recordFrame = 2 + 512 + 1 + kFrameOverhead;  // command 165
    const std::size_t reportsPerRecord = (recordFrame + kReportPayload - 1) / kReportPayload;
    const double wireLimit = 300.0 * static_cast<double>(reportsPerRecord) / 1000.0;
    double seconds = 0.0;
    for (auto _ : state) {
        folder.fresh();
        pedal::VirtualPedal pedal(dir.string());
        pedal.start();
        LoadWatch watch;
        LinkOptions options;
        options.startDelay = std::chrono::milliseconds(0);
        DeviceThread link(std::make_unique<VirtualBusBackend>(dir.string()), watch, options);
        link.start();
        seconds = watch.wait();
        link.shutdown();
        pedal.stop();
        if (seconds < 0) {
            state.SkipWithError("loading did not complete");
            break;
        }
        state.SetIterationTime(seconds);
    }
    state.counters["wire_limit_s"] = wireLimit;
    state.counters["load_s"] = seconds;
    state.counters["ratio"] = seconds / wireLimit;
}
BENCHMARK(BM_LoadPresets)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
