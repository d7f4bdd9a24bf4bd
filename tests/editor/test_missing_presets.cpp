// Presets lost on the way from the pedal are told after loading, not passed off as loaded.
#include "../support/editor_with_pedal.h"
#include "missing_presets_notice.h"

#include <QMessageBox>
#include <QtTest>

using namespace quorvex;

class TestMissingPresets : public QObject {
    Q_OBJECT

private slots:
    void lostReportsAreNamedAfterLoading() {
        pedal::PedalOptions lossy;
        lossy.dropRate = 0.01;  // about one report in a hundred lost
        lossy.seed = 1;
        testing::EditorWithPedal editor;
        QVERIFY(editor.start(lossy));
        AppDelegate& hub = *editor.hub;

        const std::vector<int> missing = hub.missingPresets();
        QVERIFY(!missing.empty());
        QVERIFY(missing.size() < 100);
        for (int slot : missing) QVERIFY(!hub.HidDevece()->presets().arrived(slot));

        QMessageBox* notice = tellMissingPresets(editor.window.get(), missing);
        QVERIFY(notice);
        QTRY_VERIFY(notice->isVisible());
        QVERIFY(notice->text().startsWith(QString::number(missing.size()) + QStringLiteral(" of 300 presets did not arrive")));
        QVERIFY(notice->text().contains(QString::fromStdString(slotLabel(missing.front()))));
        QVERIFY(notice->text().contains(QStringLiteral("plug it in again")));
    }

    void nothingIsToldWhenEveryPresetCame() { QVERIFY(!tellMissingPresets(nullptr, {})); }
};

QTEST_MAIN(TestMissingPresets)
#include "test_missing_presets.moc"
