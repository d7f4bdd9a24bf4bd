#include "cli_session.h"

#include "access_diagnosis.h"
#include "device_thread.h"
#include "diary.h"
#include "hidraw_backend.h"
#include "preset_history.h"
#include "progress_line.h"
#include "virtual_bus_backend.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <ostream>

namespace quorvex::cli {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Collects what the link reports, for the command's loop on the main thread.
class CliEvents : public LinkEvents {
public:
    void postEvent(EventCode, std::vector<std::uint32_t>) override {}
    void postSetIsChangeGuiData(bool) override {}
    void postLoadProgress(float progress) override { update([&] { progress_ = progress; lastProgress_ = Clock::now(); }); }
    void postPresetList(std::vector<std::string> list, std::vector<int> missing) override {
        update([&] {
            presetList_ = std::move(list);
            missingSlots_ = std::move(missing);
        });
    }
    void exitApp(std::string message) override { update([&] { exitMessage_ = std::move(message); }); }
    void postFirmwareTooOld() override { update([&] { firmwareTooOld_ = true; }); }
    void traceFrame(const std::string& line) override { update([&] { trace_.push_back(line); }); }

    std::mutex mutex;
    std::condition_variable changed;
    float progress_ = 0.0f;
    Clock::time_point lastProgress_ = Clock::now();
    std::optional<std::vector<std::string>> presetList_;
    std::vector<int> missingSlots_;
    std::optional<std::string> exitMessage_;
    bool firmwareTooOld_ = false;
    std::deque<std::string> trace_;

private:
    template <typename F>
    void update(F f) {
        {
            std::lock_guard lock(mutex);
            f();
        }
        changed.notify_all();
    }
};

// A link failure that ends any command, or nullopt while all is well.
std::optional<int> linkFailure(const CliEvents& events, std::ostream& err) {
    if (events.firmwareTooOld_) {
        err << kFirmwareTooOldMessage << "\n";
        return kFirmwareTooOld;
    }
    if (events.exitMessage_) {
        err << *events.exitMessage_ << "\n";
        return kUnplugged;
    }
    return std::nullopt;
}

int waitForPedal(const CliOptions& options, DeviceThread& link, std::ostream& err) {
    const auto deadline = Clock::now() + std::chrono::seconds(options.waitSeconds);
    while (!link.hidClass().isConnected()) {
        if (link.hidClass().presence() == PedalPresence::NoPermission) {
            err << diagnoseAccess(link.hidClass().deniedNode()).text() << "\n";
            return kNoPermission;
        }
        if (Clock::now() >= deadline) {
            if (options.busDir) {
                err << "No virtual pedal appeared on the bus " << *options.busDir << " within "
                    << options.waitSeconds << " s.\n";
            } else {
                err << "No QUORVEX III found within " << options.waitSeconds
                    << " s. Connect the pedal by USB and switch it on.\n";
            }
            return kNoPedal;
        }
        std::this_thread::sleep_for(20ms);
    }
    return kOk;
}

int loadPresets(CliEvents& events, std::ostream* out, std::ostream& err, bool progressBar) {
    constexpr auto kStallLimit = 10s;  // no new preset for this long: the pedal stopped
    std::unique_lock lock(events.mutex);
    float drawn = -1.0f;
    while (!events.presetList_) {
        if (auto failure = linkFailure(events, err)) {
            if (progressBar) err << "\n";
            return *failure;
        }
        if (Clock::now() - events.lastProgress_ > kStallLimit) {
            if (progressBar) err << "\n";
            err << "The pedal stopped sending presets (" << static_cast<int>(events.progress_ * 300.0f + 0.5f)
                << " of 300 received).\n";
            return kIncomplete;
        }
        if (progressBar && events.progress_ != drawn) {
            drawn = events.progress_;
            drawProgress(err, "Loading presets", drawn);
        }
        events.changed.wait_for(lock, 100ms);
    }
    if (progressBar) {
        drawProgress(err, "Loading presets", 1.0f);
        err << "\n";
    }
    if (!out) return kOk;  // the command that follows judges the missing slots it needs
    for (const auto& entry : *events.presetList_) *out << entry << "\n";
    out->flush();
    if (!events.missingSlots_.empty()) {
        err << missingPresetsText(events.missingSlots_) << "\n";
        return kIncomplete;
    }
    return kOk;
}

int monitor(CliEvents& events, int seconds, std::ostream& out, std::ostream& err) {
    const auto deadline = Clock::now() + std::chrono::seconds(seconds);
    std::unique_lock lock(events.mutex);
    for (;;) {
        while (!events.trace_.empty()) {
            out << events.trace_.front() << "\n";
            events.trace_.pop_front();
        }
        out.flush();
        if (auto failure = linkFailure(events, err)) return *failure;
        if (Clock::now() >= deadline) return kOk;
        events.changed.wait_until(lock, std::min(deadline, Clock::now() + 100ms));
    }
}

}  // namespace

int runSession(const CliOptions& options, std::ostream& out, std::ostream& err, bool progressBar,
               const PedalWork& work) {
    std::unique_ptr<HidBackend> backend;
    if (options.busDir) {
        backend = std::make_unique<VirtualBusBackend>(*options.busDir);
    } else {
        backend = std::make_unique<HidrawBackend>();
    }
    CliEvents events;
    LinkOptions linkOptions;
    linkOptions.diary = &GGEffectFunManager::shareManager();
    linkOptions.pacedTransfers = options.paced;
    DeviceThread link(std::move(backend), events, linkOptions);
    keepReplacedPresets(link);
    link.start();

    if (const int code = waitForPedal(options, link, err); code != kOk) return code;
    // Loading starts when the pedal appears, so a stall is measured from then on.
    {
        std::lock_guard lock(events.mutex);
        events.lastProgress_ = Clock::now();
    }
    int code = kOk;
    if (work) {
        code = loadPresets(events, nullptr, err, progressBar);
        if (code == kOk) code = work(link, out, err, progressBar);
        // A pedal that went away is told as such, whatever the work saw of it.
        std::lock_guard lock(events.mutex);
        if (auto failure = linkFailure(events, err); failure && code != kOk) code = *failure;
    } else if (options.command == Command::Presets) {
        code = loadPresets(events, &out, err, progressBar);
    } else {
        code = monitor(events, options.monitorSeconds, out, err);
    }
    link.shutdown();
    return code;
}

}  // namespace quorvex::cli
