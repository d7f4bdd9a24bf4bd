// The link at rest and its answer to an edit:
// - BM_EditorIdleCpu: quorvex-editor connected to a quorvex-pedal, nobody editing; its
//   processor use in percent of one core, read from /proc after the presets have loaded.
// - BM_EditToWire: from an encoder entry (what a slider change calls) to its frame leaving,
//   each edit made after the scheduler has come to rest, against one turn of the ring as it
//   runs (an edit made just after its own step leaves one turn later).
#include "commands.h"
#include "device_thread.h"
#include "scratch_folder.h"
#include "virtual_bus_backend.h"
#include "virtual_pedal.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <condition_variable>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <random>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace quorvex;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A child program, ended by SIGTERM when it goes out of scope.
class Child {
public:
    explicit Child(std::vector<std::string> args) {
        std::vector<char*> argv;
        for (auto& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
    }
    ~Child() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    pid_t pid() const { return pid_; }

    // Nanoseconds its threads have run so far (the scheduler's own count, finer than the
    // clock ticks of /proc/PID/stat); negative once the child is gone.
    double cpuNanoseconds() const {
        std::error_code error;
        double total = 0.0;
        int threads = 0;
        for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid_) + "/task", error)) {
            double ran = 0.0;
            if (std::ifstream(task.path() / "schedstat") >> ran) {
                total += ran;
                ++threads;
            }
        }
        return threads > 0 ? total : -1.0;
    }

private:
    pid_t pid_ = -1;
};

void BM_EditorIdleCpu(benchmark::State& state) {
    const bench::ScratchFolder folder("qvx-idle");
    const auto& dir = folder.path();
    const auto window = std::chrono::seconds(state.range(0));
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    double percent = 0.0;
    for (auto _ : state) {
        folder.fresh();
        std::filesystem::create_directories(dir / "home");
        ::setenv("HOME", (dir / "home").c_str(), 1);  // the editor's diary goes there
        Child pedal({QUORVEX_PEDAL_PROGRAM, "--bus", (dir / "bus").string()});
        std::this_thread::sleep_for(300ms);
        Child editor({QUORVEX_EDITOR_PROGRAM, "--bus", (dir / "bus").string()});
        std::this_thread::sleep_for(10s);  // start-up, the presets, the main window
        const double before = editor.cpuNanoseconds();
        const auto start = Clock::now();
        std::this_thread::sleep_for(window);
        const double after = editor.cpuNanoseconds();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (pedal.pid() <= 0 || editor.pid() <= 0 || before < 0 || after < 0) {
            state.SkipWithError("the editor or the pedal did not run");
            break;
        }
        percent = 100.0 * (after - before) / 1e9 / seconds;
        state.SetIterationTime(seconds);
    }
    state.counters["cpu_percent_of_one_core"] = percent;
    state.counters["target_percent"] = 0.5;
}
BENCHMARK(BM_EditorIdleCpu)->Arg(20)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

// Waits for the loaded preset list, then for each DELAY frame the scheduler sends.
class WireWatch : public LinkEvents {
public:
    void postEvent(EventCode, std::vector<std::uint32_t>) override {}
    void postSetIsChangeGuiData(bool) override {}
    void postLoadProgress(float) override {}
    void postPresetList(std::vector<std::string>, std::vector<int>) override { note([this] { loaded_ = true; }); }
    void exitApp(std::string) override { note([this] { failed_ = true; }); }
    void postFirmwareTooOld() override { note([this] { failed_ = true; }); }
    void traceFrame(const std::string& line) override {
        if (line.find("send:aa 55 11 00 98") != std::string::npos) note([this] { ++delayFrames_; sentAt_ = Clock::now(); });
    }
    bool waitLoaded() {
        std::unique_lock lock(mutex_);
        return cv_.wait_for(lock, 60s, [this] { return loaded_ || failed_; }) && loaded_;
    }
    int delayFrames() {
        std::lock_guard lock(mutex_);
        return delayFrames_;
    }
    // When frame number n left, or nullopt when it did not within the time-out.
    std::optional<Clock::time_point> waitFrame(int n) {
        std::unique_lock lock(mutex_);
        if (!cv_.wait_for(lock, 5s, [&] { return delayFrames_ >= n; })) return std::nullopt;
        return sentAt_;
    }

private:
    template <typename F>
    void note(F f) {
        {
            std::lock_guard lock(mutex_);
            f();
        }
        cv_.notify_all();
    }
    std::mutex mutex_;
    std::condition_variable cv_;
    bool loaded_ = false, failed_ = false;
    int delayFrames_ = 0;
    Clock::time_point sentAt_;
};

void BM_EditToWire(benchmark::State& state) {
    const bench::ScratchFolder folder("qvx-edit");
    const auto& dir = folder.path();
    pedal::VirtualPedal pedal(dir.string());
    pedal.start();
    WireWatch watch;
    LinkOptions options;
    options.startDelay = 0ms;
    DeviceThread link(std::make_unique<VirtualBusBackend>(dir.string()), watch, options);
    link.start();
    if (!watch.waitLoaded()) {
        state.SkipWithError("the presets did not load");
        return;
    }
    std::array<std::uint32_t, 9> delay{1, 3, 50, 40, 30, 20, 400, 0, 0};
    // Sends one edit; the seconds until its frame left, or a negative number.
    const auto editAndWait = [&](Clock::time_point& sentAt) {
        const int next = watch.delayFrames() + 1;
        delay[2] = delay[2] % 100 + 1;
        const auto edited = Clock::now();
        link.SendDataToDevoice(BlockType::DELAY, delay.data(), static_cast<int>(delay.size()));
        const auto sent = watch.waitFrame(next);
        if (!sent) return -1.0;
        sentAt = *sent;
        return std::chrono::duration<double>(*sent - edited).count();
    };
    // One turn as it runs (the longest of ten, as the edits below are the longest of many): an
    // edit right after a DELAY frame waits for the next visit of its step.
    double ringTurn = 0.0;
    Clock::time_point previous, sentAt;
    if (editAndWait(previous) < 0) {
        state.SkipWithError("the DELAY frame did not leave");
        return;
    }
    for (int i = 0; i < 10 && editAndWait(sentAt) >= 0; ++i) {
        ringTurn = std::max(ringTurn, std::chrono::duration<double>(sentAt - previous).count());
        previous = sentAt;
    }
    const auto ringTicks = options.tick * static_cast<int>(kSchedulerRing.size());
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pause(0, static_cast<int>(ringTicks.count()));
    double worst = 0.0;
    for (auto _ : state) {
        // Two quiet turns put the scheduler to rest; the extra pause lands the edit anywhere in the ring.
        std::this_thread::sleep_for(2 * ringTicks + std::chrono::milliseconds(pause(random)));
        const double seconds = editAndWait(sentAt);
        if (seconds < 0) {
            state.SkipWithError("the DELAY frame did not leave");
            break;
        }
        worst = std::max(worst, seconds);
        state.SetIterationTime(seconds);
    }
    link.shutdown();
    pedal.stop();
    state.counters["worst_ms"] = worst * 1000.0;
    state.counters["ring_turn_ms"] = ringTurn * 1000.0;
    state.counters["within_one_turn"] = worst <= ringTurn ? 1 : 0;
}
BENCHMARK(BM_EditToWire)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

}  // namespace
