#pragma once
#include "app_delegate.h"
#include "editor_window.h"
#include "virtual_bus_backend.h"
#include "virtual_pedal.h"

#include <QSignalSpy>
#include <QTest>
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
    std::unique_ptr<QSignalSpy> loaded;
    bool presetShown = false;

    // False when the pedal did not start or its presets did not arrive. Returns once the
    // pedal named its current preset, which comes after them (an edit made before would be
    // shown over by that preset's record), or a while after a lossy pedal failed to. The
    // link starts at once; link carries any other choice (a diary, a shorter tick).
    bool start(pedal::PedalOptions options = {}, LinkOptions link = {}) {
        startWithoutPedal(link);
        return plugInPedal(options);
    }
    // The editor with its link waiting for a pedal, as before one is plugged in.
    void startWithoutPedal(LinkOptions link = {}) {
        hub = std::make_unique<AppDelegate>();
        window = std::make_unique<EditorWindow>(*hub);
        loaded = std::make_unique<QSignalSpy>(hub.get(), &AppDelegate::presetsLoaded);
        hub->onPresetShown([this](const PresetRecord&) { presetShown = true; });
        link.startDelay = std::chrono::milliseconds(0);
        hub->startLink(std::make_unique<VirtualBusBackend>(dir.filePath("bus").toStdString()), link);
    }
    bool plugInPedal(pedal::PedalOptions options = {}) {
        pedal = std::make_unique<pedal::VirtualPedal>(dir.filePath("bus").toStdString(), options);
        if (!pedal->start() || !loaded->wait(15000)) return false;
        static_cast<void>(QTest::qWaitFor([this] { return presetShown; }, 5000));
        window->show();
        return true;
    }
    ~EditorWithPedal() {
        if (hub) hub->stopLink();
        loaded.reset();
        window.reset();
        hub.reset();
        if (pedal) pedal->stop();
    }
};

}  // namespace quorvex::testing
