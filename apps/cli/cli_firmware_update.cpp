#include "cli_firmware_update.h"

#include "access_diagnosis.h"
#include "hidraw_backend.h"
#include "libupdate_tavro.h"
#include "progress_line.h"
#include "updater_texts.h"
#include "virtual_bus_backend.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <ostream>

namespace quorvex::cli {
namespace {

constexpr const char* kNotInBootLoader =
    "The QUORVEX III is running its normal firmware, not its boot loader. To update it:\n"
    "  1. Press and hold the far left footswitch while connecting power to the QUORVEX III\n"
    "  2. Connect the QUORVEX III to the computer via USB\n"
    "then run this command again.\n";

// Draws the progress as it comes and keeps the outcome for the main thread.
class UpdateWatch : public updater::XBUpdateDelegate {
public:
    UpdateWatch(std::ostream& err, bool progressBar) : err_(err), progressBar_(progressBar) {}

    void xbUpdateProgress(float value) override {
        std::lock_guard lock(mutex_);
        if (progressBar_) drawProgress(err_, "Writing firmware", value);
    }
    void xbUpdateSuccess() override { finish(std::string()); }
    void xbUpdateFailed(const std::string& text) override { finish(text); }

    // The failure text, or an empty text after success.
    std::string wait() {
        std::unique_lock lock(mutex_);
        ended_.wait(lock, [this] { return outcome_.has_value(); });
        return *outcome_;
    }

private:
    void finish(const std::string& failure) {
        {
            std::lock_guard lock(mutex_);
            outcome_ = failure;
            if (progressBar_) err_ << "\n";
        }
        ended_.notify_all();
    }

    std::ostream& err_;
    bool progressBar_;
    std::mutex mutex_;
    std::condition_variable ended_;
    std::optional<std::string> outcome_;
};

}  // namespace

int runFirmwareUpdate(const CliOptions& options, std::ostream& err, bool progressBar) {
    // A file that cannot be used is told before the pedal is touched.
    const auto image = updater::readFirmwareImage(options.firmwareImage);
    if (const auto* error = std::get_if<updater::ImageError>(&image)) {
        err << updater::XBUpdateTool::failureText(updater::FailureType::Firmware, error->reason) << "\n";
        return kUpdateFailed;
    }

    std::unique_ptr<HidBackend> backend;
    if (options.busDir) {
        backend = std::make_unique<VirtualBusBackend>(*options.busDir);
    } else {
        backend = std::make_unique<HidrawBackend>();
    }
    updater::ProbeTiming timing;
    timing.openWait = std::chrono::seconds(options.waitSeconds);
    UpdateWatch watch(err, progressBar);
    updater::libupdate_tavro facade(
        std::move(backend), [](const std::function<void()>& call) { call(); }, timing);
    facade.setXbDelegate(&watch);
    facade.setPid(0, 0x0483, 0x00C8);
    if (facade.connectDeviceUpdate("KIRO_QUORVEXIII", "V1.1.0") != 1) {
        if (facade.hidclass().noPermission()) {
            err << diagnoseAccess(facade.hidclass().deniedNode()).text() << "\n";
            return kNoPermission;
        }
        err << "No device connected! Please reconnect your QUORVEX III and try again.\n";
        return kNoPedal;
    }
    if (const char mode = facade.hidclass().mode(); mode != 'B') {
        if (mode == 'A')
            err << kNotInBootLoader;
        else
            err << updater::unknownModeText(mode).toStdString() << "\n";
        return kNoPedal;
    }
    facade.beginUpdate(options.firmwareImage);
    const std::string failure = watch.wait();
    if (!failure.empty()) {
        err << "Update fail: please try again. (" << failure << ")\n";
        if (!facade.hidclass().isConnected()) {
            err << updater::disconnectedDuringUpdateText().toStdString() << "\n";
            return kUnplugged;
        }
        return kUpdateFailed;
    }
    err << "Firmware written; the QUORVEX III starts its new firmware.\n";
    return kOk;
}

}  // namespace quorvex::cli
