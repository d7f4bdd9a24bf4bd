#pragma once
// The preset side of the main window laid down the left of a window of the size the
// editor runs at, with a recording hub behind it.
#include <QStringList>
#include <QWidget>
#include <QtTest>

#include "fake_preset_hub.h"
#include "root_view_controller.h"

struct PresetScreen {
    FakePresetHub hub;
    QWidget window;
    quorvex::RootViewController* root;
    bool exposed = false;

    // entries, when given, are loaded before the window shows.
    explicit PresetScreen(const QStringList& entries = {}) : root(new quorvex::RootViewController(hub, &window)) {
        window.resize(1280, 800);
        root->setGeometry(0, 0, 302, 800);
        if (!entries.isEmpty())
            root->UpdataPresetListName(entries);
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
    }
};
