#include "libupdate_tavro.h"

#include "link_log.h"

namespace quorvex::updater {

libupdate_tavro::libupdate_tavro(std::unique_ptr<HidBackend> backend, MainThreadPoster post, ProbeTiming timing,
                                 UpdateTimeouts timeouts)
    : hidclass_(std::move(backend), timing), post_(std::move(post)), timeouts_(timeouts) {
    hidclass_.setUpdateCallBackData([this](const std::uint8_t* frame, std::size_t size) {
        std::lock_guard lock(toolMutex_);
        if (updateTool_) updateTool_->readAppUpdateData(frame, size);
    });
}

libupdate_tavro::~libupdate_tavro() {
    {
        std::lock_guard lock(toolMutex_);
        if (updateTool_) updateTool_->abort();
    }
    if (worker_.joinable()) worker_.join();
    hidclass_.disconnectDevice();
}

int libupdate_tavro::connectDeviceUpdate(const std::string& name, const std::string& version) {
    hidclass_.setDeviceName(name);
    hidclass_.setDeviceVersion(version);
    if (!hidclass_.OpenDevice()) {
        updaterLog("no device to open");
        hidclass_.disconnectDevice();
        return -1;
    }
    return hidclass_.checkUSBDevice();
}

void libupdate_tavro::runApp(const std::function<void()>& runApplication, const std::function<void()>& bootloader,
                             const std::function<void()>& versionlow, const std::function<void()>& error) {
    if (hidclass_.versionMatches()) {
        if (hidclass_.mode() == 'B') bootloader();
        if (hidclass_.mode() == 'A') runApplication();
        return;
    }
    if (hidclass_.disconnectDevice() == -1) error();
    versionlow();
}

void libupdate_tavro::beginUpdate(const std::string& imagePath) {
    if (worker_.joinable()) return;  // one update per run
    {
        std::lock_guard lock(toolMutex_);
        updateTool_ = std::make_unique<XBUpdateTool>(
            [this](const std::uint8_t* frame, std::size_t size) { return hidclass_.write_frame(frame, size); },
            timeouts_);
    }
    worker_ = std::thread([this, imagePath] {
        updateTool_->startUpdateDevice(
            "KIRO_QUORVEXIII", imagePath, [this] { updateSuccess(); },
            [this](const std::string& text) { updateFail(text); }, [this](float value) { updateProgress(value); },
            nullptr);
    });
}

void libupdate_tavro::updateSuccess() {
    if (XBUpdateDelegate* d = xbDelegate_) post_([d] { d->xbUpdateSuccess(); });
}

void libupdate_tavro::updateProgress(float value) {
    if (XBUpdateDelegate* d = xbDelegate_) post_([d, value] { d->xbUpdateProgress(value); });
}

void libupdate_tavro::updateFail(const std::string& text) {
    if (XBUpdateDelegate* d = xbDelegate_) post_([d, text] { d->xbUpdateFailed(text); });
}

}  // namespace quorvex::updater
