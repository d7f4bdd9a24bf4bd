// Presets lost on the way from the pedal are told after loading, not passed off as loaded.
#include "../support/editor_with_pedal.h"
#include "control_palette.h"
#include "missing_presets_notice.h"
#include "stage_look.h"

#include <QMessageBox>
#include <QStyle>
#include <QtTest>

#include <cstdlib>

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

    // Message boxes wear the main window's dark look, with text that stands out from it.
    void noticeWearsTheStageLook() {
        ui::applyStageLook(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        const std::unique_ptr<QMessageBox> notice(tellMissingPresets(nullptr, {7}));
        const QPalette& pal = notice->palette();
        QCOMPARE(pal.color(QPalette::Window), ui::palette::stage());
        const auto contrast = [&pal](QPalette::ColorRole text, QPalette::ColorRole back) {
            return std::abs(pal.color(text).lightness() - pal.color(back).lightness());
        };
        QVERIFY(contrast(QPalette::WindowText, QPalette::Window) > 150);
        QVERIFY(contrast(QPalette::ButtonText, QPalette::Button) > 150);
        QVERIFY(contrast(QPalette::Text, QPalette::Base) > 150);
        QCOMPARE(notice->style()->name(), QStringLiteral("fusion"));
    }
};

QTEST_MAIN(TestMissingPresets)
#include "test_missing_presets.moc"
