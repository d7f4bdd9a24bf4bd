#pragma once
#include <QObject>
#include <QString>

#include <memory>

namespace quorvex {

class AppDelegate;
class EditorWindow;
class LoadDataWindowController;
class HidBackend;
namespace pedal {
class VirtualPedal;
}

struct EditorOptions {
    bool virtualPedal = false;  // play an in-process virtual pedal
    QString busDir;             // or use this virtual bus; empty for the USB pedal
    QString screenshot;         // save the main window here once loaded, then quit
    QString show;               // what to open before the screenshot (screenshot::viewNames)
};

// Starts the editor: builds the screens, wires them to the hub, starts the link,
// holds the user in the loading window until the presets are in, then shows the
// main window. The link's fatal alerts end it from any state.
class EditorApp : public QObject {
    Q_OBJECT
public:
    explicit EditorApp(EditorOptions options);
    ~EditorApp() override;

    // Runs until the editor ends; returns the exit status.
    int run();

private:
    std::unique_ptr<HidBackend> makeBackend();
    bool runLoadingWindow();
    void showFatal(const QString& message);
    void quit();
    void takeScreenshot();
    void saveScreenshot(QWidget* dialog);

    EditorOptions options_;
    std::unique_ptr<pedal::VirtualPedal> virtualPedal_;
    QString virtualBus_;
    std::unique_ptr<AppDelegate> hub_;
    std::unique_ptr<EditorWindow> window_;
    LoadDataWindowController* loadWindow_ = nullptr;
    bool exiting_ = false;
    bool alertShown_ = false;
};

}  // namespace quorvex
