#pragma once
#include "app_delegate.h"
#include "editor_window.h"
#include "virtual_bus_backend.h"
#include "virtual_pedal.h"

#include <QSignalSpy>
#include <QString>
#include <QTest>

#include <chrono>
#include <memory>

namespace quorvex::testing {

// The whole editor (hub and main window) on a virtual pedal in a bus folder, started
// as the program starts it: the presets are loaded and the window is shown.
struct EditorWithPedal {
    std::unique_ptr<pedal::VirtualPedal> pedal;
    std::unique_ptr<AppDelegate> hub;
    std::unique_ptr<EditorWindow> window;

    // False when the pedal or the loading did not come up.
    bool start(const QString& busDir) {
        pedal = std::make_unique<pedal::VirtualPedal>(busDir.toStdString());
        if (!pedal->start()) return false;
        hub = std::make_unique<AppDelegate>();
        window = std::make_unique<EditorWindow>(*hub);
        QSignalSpy loaded(hub.get(), &AppDelegate::presetsLoaded);
        LinkOptions options;
        options.startDelay = std::chrono::milliseconds(0);
        hub->startLink(std::make_unique<VirtualBusBackend>(busDir.toStdString()), options);
        if (!loaded.wait(15000)) return false;
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }

    void stop() {
        if (hub) hub->stopLink();
        window.reset();
        hub.reset();
        if (pedal) pedal->stop();
    }
};

}  // namespace quorvex::testing
