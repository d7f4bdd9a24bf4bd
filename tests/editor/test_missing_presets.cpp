// Presets lost on the way from the pedal are told after loading, not passed off as loaded.
#include "app_delegate.h"
#include "editor_window.h"
#include "missing_presets_notice.h"
#include "virtual_bus_backend.h"
#include "virtual_pedal.h"

#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace quorvex;

class TestMissingPresets : public QObject {
    Q_OBJECT

private slots:
    void lostReportsAreNamedAfterLoading() {
        QTemporaryDir bus;
        pedal::PedalOptions lossy;
        lossy.dropRate = 0.01;  // about one report in a hundred lost
        lossy.seed = 1;
        pedal::VirtualPedal pedal(bus.path().toStdString(), lossy);
        QVERIFY(pedal.start());
        AppDelegate hub;
        EditorWindow window(hub);
        QSignalSpy loaded(&hub, &AppDelegate::presetsLoaded);
        LinkOptions options;
        options.startDelay = std::chrono::milliseconds(0);
        hub.startLink(std::make_unique<VirtualBusBackend>(bus.path().toStdString()), options);
        QVERIFY(loaded.wait(15000));

        const std::vector<int> missing = hub.missingPresets();
        QVERIFY(!missing.empty());
        QVERIFY(missing.size() < 100);
        for (int slot : missing) QVERIFY(!hub.HidDevece()->presets().arrived(slot));

        window.show();
        QMessageBox* notice = tellMissingPresets(&window, missing);
        QVERIFY(notice);
        QTRY_VERIFY(notice->isVisible());
        QVERIFY(notice->text().startsWith(QString::number(missing.size()) + QStringLiteral(" of 300 presets did not arrive")));
        QVERIFY(notice->text().contains(QString::fromStdString(slotLabel(missing.front()))));
        QVERIFY(notice->text().contains(QStringLiteral("plug it in again")));
        hub.stopLink();
        pedal.stop();
    }

    void nothingIsToldWhenEveryPresetCame() { QVERIFY(!tellMissingPresets(nullptr, {})); }
};

QTEST_MAIN(TestMissingPresets)
#include "test_missing_presets.moc"
