#pragma once
// The preset side of the main window laid into a window of the size the editor runs
// at, down the left side or across the top, with a recording hub behind it.
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
    explicit PresetScreen(Qt::Orientation orientation = Qt::Vertical, const QStringList& entries = {})
        : root(new quorvex::RootViewController(hub, &window)) {
        hub.list = root;
        window.resize(1280, 800);
        root->setOrientation(orientation);
        if (orientation == Qt::Vertical)
            root->setGeometry(0, 0, 302, 800);
        else
            root->setGeometry(0, 0, 1280, 110);
        if (!entries.isEmpty())
            root->UpdataPresetListName(entries);
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
    }
};
