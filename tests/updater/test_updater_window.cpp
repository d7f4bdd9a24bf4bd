#include "updater_texts.h"
#include "updater_window.h"

#include <QMessageBox>
#include <QSignalSpy>
#include <QtTest>

using quorvex::updater::UpdaterWindow;

class TestUpdaterWindow : public QObject {
    Q_OBJECT
private slots:
    // The flow goes on while an alert is open and learns when it was closed; closing the
    // window does not hide it behind the flow's back: the flow decides.
    void alertAndClosingLeaveTheDecisionToTheFlow() {
        UpdaterWindow window;
        window.show();
        bool dismissed = false;
        window.showAlert(quorvex::updater::noPedalText(), [&] { dismissed = true; });
        auto* alert = window.findChild<QMessageBox*>();
        QVERIFY(alert);
        QCOMPARE(alert->text(), quorvex::updater::noPedalText());
        QVERIFY(!dismissed);
        alert->accept();
        QVERIFY(dismissed);

        QSignalSpy closeSpy(&window, &UpdaterWindow::closeRequested);
        window.close();
        QCOMPARE(closeSpy.count(), 1);
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(TestUpdaterWindow)
#include "test_updater_window.moc"
