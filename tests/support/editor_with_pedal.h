#pragma once
#include "app_delegate.h"
#include "editor_window.h"
#include "virtual_bus_backend.h"
#include "virtual_pedal.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <chrono>
#include <memory>

namespace quorvex::testing {

// The whole editor against a virtual pedal on a private bus: the pedal, the hub with
// its link, and the main window, shown once the presets have arrived.
struct EditorWithPedal {
    QTemporaryDir dir;
    std::unique_ptr<pedal::VirtualPedal> pedal;
    std::unique_ptr<AppDelegate> hub;
    std::unique_ptr<EditorWindow> window;

    // False when the pedal did not start or its presets did not arrive. The link starts
    // at once; link carries any other choice (a diary, a shorter tick).
    bool start(pedal::PedalOptions options = {}, LinkOptions link = {}) {
        const std::string bus = dir.filePath("bus").toStdString();
        pedal = std::make_unique<pedal::VirtualPedal>(bus, options);
        if (!pedal->start()) return false;
        hub = std::make_unique<AppDelegate>();
        window = std::make_unique<EditorWindow>(*hub);
        QSignalSpy loaded(hub.get(), &AppDelegate::presetsLoaded);
        link.startDelay = std::chrono::milliseconds(0);
        hub->startLink(std::make_unique<VirtualBusBackend>(bus), link);
        if (!loaded.wait(15000)) return false;
        window->show();
        return true;
    }
    ~EditorWithPedal() {
        if (hub) hub->stopLink();
        window.reset();
        hub.reset();
        if (pedal) pedal->stop();
    }
};

}  // namespace quorvex::testing
