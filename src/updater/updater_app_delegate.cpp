#include "updater_app_delegate.h"

#include "link_log.h"
#include "post_to_main.h"
#include "updater_texts.h"

#include <QTimer>

#include <algorithm>

namespace quorvex::updater {

AppDelegate::AppDelegate(UpdaterWindowPort& window, std::unique_ptr<HidBackend> backend, UpdaterSetup setup,
                         QObject* parent)
    : QObject(parent), window_(window), setup_(std::move(setup)) {
    // Replies are posted to this object: calls still queued when it is gone are dropped.
    auto post = [this](std::function<void()> call) { postToMain(this, std::move(call)); };
    update_ = std::make_unique<libupdate_tavro>(std::move(backend), post, setup_.timing, setup_.timeouts);
    update_->setXbDelegate(this);
}

AppDelegate::~AppDelegate() {
    if (connecting_.joinable()) connecting_.join();
    update_.reset();  // ends a running update and releases the pedal
}

void AppDelegate::applicationDidFinishLaunching() {
    update_->setPid(0, 1155, 200);
    connecting_ = std::thread([this] {
        const int result = update_->connectDeviceUpdate("KIRO_QUORVEXIII", "V1.1.0");
        postToMain(this, [this, result] { connected(result); });
    });
}

void AppDelegate::connected(int result) {
    if (connecting_.joinable()) connecting_.join();
    if (result != 1) {
        connectFail();
        return;
    }
    if (const char mode = update_->hidclass().mode(); mode != 'A' && mode != 'B') {
        connectToUnknownMode(mode);
        return;
    }
    update_->runApp([this] { connectToModeA(); },
                    [this] {
                        isNeedUpdate_ = true;
                        connectToModeB();
                    },
                    [this] { connectToModeL(); }, [] { updaterLog("the pedal could not be released"); });
}

void AppDelegate::connectFail() {
    const auto& hid = update_->hidclass();
    alertAndQuit(hid.noPermission() ? noPermissionText(hid.deniedNode()) : noPedalText(), kExitFailed);
}

void AppDelegate::connectToModeA() { launchEditorAndQuit(); }

void AppDelegate::connectToModeB() {
    // A missing image is told now, before the pedal is sent anything of an update.
    const QString problem = firmwareProblem(setup_.firmware);
    if (!problem.isEmpty()) {
        alertAndQuit(problem, kExitFailed);
        return;
    }
    window_.setMessage(offerText());
    window_.setOfferVisible(true);
    window_.setDoneVisible(false);
    window_.showWindow();
}

void AppDelegate::connectToModeL() { alertAndQuit(firmwareTooLowText(), kExitFailed); }

void AppDelegate::connectToUnknownMode(char mode) {
    update_->releaseDevice();
    alertAndQuit(unknownModeText(mode), kExitUnknownMode);
}

void AppDelegate::YesButtonClick() {
    window_.setMessage(updatingText());
    update_->beginUpdate(setup_.firmware.path.toStdString());
    window_.setOfferVisible(false);
}

void AppDelegate::NoButtonClick() { setup_.quit(0); }

void AppDelegate::DoneButtonClick() { launchEditorAndQuit(); }

void AppDelegate::CloseButtonClick() { setup_.quit(0); }

void AppDelegate::xbUpdateProgress(float value) { window_.setProgress(std::min(static_cast<double>(value), 1.0)); }

void AppDelegate::xbUpdateSuccess() {
    if (window_.doneVisible()) return;
    window_.setMessage(successText());
    QTimer::singleShot(setup_.doneDelay, this, [this] { window_.setDoneVisible(true); });
}

void AppDelegate::xbUpdateFailed(const std::string& text) {
    QString message = updateFailText(QString::fromStdString(text));
    if (!update_->hidclass().isConnected()) message += QStringLiteral("\n") + disconnectedDuringUpdateText();
    alertAndQuit(message, kExitFailed);
}

void AppDelegate::alertAndQuit(const QString& text, int status) {
    window_.showWindow();
    window_.showAlert(text, [this, status] { setup_.quit(status); });
}

void AppDelegate::launchEditorAndQuit() {
    update_->releaseDevice();  // the editor opens the pedal next
    if (!setup_.launchEditor()) {
        alertAndQuit(editorMissingText(), kExitFailed);
        return;
    }
    setup_.quit(0);
}

}  // namespace quorvex::updater
