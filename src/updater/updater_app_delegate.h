#pragma once
#include "firmware_locator.h"
#include "libupdate_tavro.h"
#include "updater_window_port.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace quorvex::updater {

// How the updater ends: 0 after the editor was started, No or closing the window.
inline constexpr int kExitFailed = 1;       // after an alert: no pedal, old firmware, failed update
inline constexpr int kExitUnknownMode = 3;  // the pedal is in neither of the modes the updater knows

// What the updater's flow needs from outside; tests put in their own.
struct UpdaterSetup {
    FirmwareLocation firmware;
    std::function<bool()> launchEditor;  // false when the editor could not be started
    std::function<void(int)> quit;       // ends the updater with an exit status
    ProbeTiming timing;
    UpdateTimeouts timeouts;
    std::chrono::milliseconds doneDelay{7000};  // from success to the Done button
};

// The updater's flow: finds the pedal without blocking the window, starts the editor
// when the pedal runs the current firmware, explains the boot loader when it runs an
// older one, and offers, runs and reports the update when it waits in its boot loader.
// The window stays hidden until there is something to show.
class AppDelegate : public QObject, public XBUpdateDelegate {
    Q_OBJECT
public:
    AppDelegate(UpdaterWindowPort& window, std::unique_ptr<HidBackend> backend, UpdaterSetup setup,
                QObject* parent = nullptr);
    ~AppDelegate() override;

    // Looks for the pedal on a thread of its own; the answer comes back on this thread.
    void applicationDidFinishLaunching();

    void YesButtonClick();
    void NoButtonClick();
    void DoneButtonClick();
    void CloseButtonClick();

    // XBUpdateDelegate, called on this object's thread.
    void xbUpdateProgress(float value) override;
    void xbUpdateSuccess() override;
    void xbUpdateFailed(const std::string& text) override;

    bool isNeedUpdate() const { return isNeedUpdate_; }

private:
    void connected(int result);
    void connectFail();
    void connectToModeA();
    void connectToModeB();
    void connectToModeL();
    void connectToUnknownMode(char mode);
    void alertAndQuit(const QString& text, int status);
    void launchEditorAndQuit();

    UpdaterWindowPort& window_;
    UpdaterSetup setup_;
    std::unique_ptr<libupdate_tavro> update_;
    std::thread connecting_;
    bool isNeedUpdate_ = false;
};

}  // namespace quorvex::updater
