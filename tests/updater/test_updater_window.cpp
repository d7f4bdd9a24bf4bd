#include "updater_texts.h"
#include "updater_window.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using quorvex::updater::UpdaterWindow;

class TestUpdaterWindow : public QObject {
    Q_OBJECT
private slots:
    void controlsAreNamedAndForwardClicks() {
        UpdaterWindow window;
        window.show();
        auto* yes = window.findChild<QPushButton*>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(yes);
        QStringList names;
        for (auto* b : window.findChildren<QPushButton*>()) names << b->accessibleName();
        QCOMPARE(names, (QStringList{"Yes", "No", "Done"}));
        QCOMPARE(window.findChild<QProgressBar*>()->accessibleName(), QStringLiteral("Firmware update progress"));
        QVERIFY(!window.doneVisible());

        QSignalSpy yesSpy(&window, &UpdaterWindow::yesClicked);
        QTest::mouseClick(yes, Qt::LeftButton);
        QCOMPARE(yesSpy.count(), 1);
        window.setOfferVisible(false);
        QVERIFY(!yes->isVisible());
        window.setDoneVisible(true);
        QVERIFY(window.doneVisible());
        window.setProgress(0.5);
        QCOMPARE(window.findChild<QProgressBar*>()->value(), 500);
    }

    void alertDoesNotBlockAndTellsItsDismissal() {
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
    }

    void closingAsksTheFlow() {
        UpdaterWindow window;
        window.show();
        QSignalSpy closeSpy(&window, &UpdaterWindow::closeRequested);
        window.close();
        QCOMPARE(closeSpy.count(), 1);
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(TestUpdaterWindow)
#include "test_updater_window.moc"
