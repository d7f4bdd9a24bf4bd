// The loading window: progress figures, closing at the last preset, leaving ends the editor.
#include "load_data_window.h"
#include "striped_progress_bar.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace quorvex;

class TestLoadDataWindow : public QObject {
    Q_OBJECT

private slots:
    void progressClimbsWithTheSlots() {
        LoadDataWindowController window;
        window.show();
        window.SetProgress(1.0f / 300.0f);
        QCOMPARE(window.loadDataLabel()->text(), QStringLiteral("0%"));
        window.SetProgress(150.0f / 300.0f);  // slot 149
        QCOMPARE(window.loadDataLabel()->text(), QStringLiteral("50%"));
        QCOMPARE(window.progressBar()->value(), 500);
        window.SetProgress(299.0f / 300.0f);
        QCOMPARE(window.loadDataLabel()->text(), QStringLiteral("99%"));
        QVERIFY(window.isVisible());
    }

    void lastSlotEndsTheModalRun() {
        LoadDataWindowController window;
        QSignalSpy exits(&window, &LoadDataWindowController::exitRequested);
        QTimer::singleShot(0, &window, [&window] {
            window.SetProgress(0.5f);
            window.SetProgress(1.0f);
        });
        QCOMPARE(window.exec(), int(QDialog::Accepted));
        QCOMPARE(window.loadDataLabel()->text(), QStringLiteral("100%"));
        QCOMPARE(exits.size(), 0);
    }

    void closingBeforeTheEndAsksToExit() {
        LoadDataWindowController window;
        QSignalSpy exits(&window, &LoadDataWindowController::exitRequested);
        QTimer::singleShot(0, &window, [&window] { window.close(); });
        QCOMPARE(window.exec(), int(QDialog::Rejected));
        QCOMPARE(exits.size(), 1);
    }

    void tellsWhyItWaits() {
        LoadDataWindowController window;
        QVERIFY(window.statusLabel()->text().contains(QStringLiteral("Waiting for the QUORVEX III")));
        window.showAccessProblem(QStringLiteral("A QUORVEX III is connected (device /dev/hidraw3), but ..."));
        QVERIFY(window.statusLabel()->text().contains(QStringLiteral("/dev/hidraw3")));
        window.setPedalState(LoadDataWindowController::PedalState::Loading);
        QVERIFY(window.statusLabel()->text().startsWith(QStringLiteral("Loading")));
        QCOMPARE(window.progressBar()->accessibleName(), QStringLiteral("progressBar"));
    }
};

QTEST_MAIN(TestLoadDataWindow)
#include "test_load_data_window.moc"
