// The shared module-panel behaviour, exercised on the FX/COMP panel.
#include "fx_mode_controller.h"
#include "g_pop_up_button.h"
#include "group_badge.h"
#include "hy_slider.h"
#include "yj_text_field.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

using namespace quorvex;

class TestFxModeController : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FxModeController> panel;

    // Types text into a row's field and ends the edit, as a user does.
    void type(int row, const QString& text) {
        ui::YJTextField* field = panel->pTextFieldVale(row);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    // Presses a slider at a fraction of its width.
    void pressAt(int row, double fraction) {
        ui::HYSlider* slider = panel->pSlider(row);
        QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(int(slider->width() * fraction), slider->height() / 2));
        QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(int(slider->width() * fraction), slider->height() / 2));
    }
    QStringList rowTitles() const {
        QStringList titles;
        for (int row = 0; row < 4; ++row) titles << panel->titleLab(row)->text();
        return titles;
    }

private slots:
    void init() {
        panel = std::make_unique<FxModeController>();
        panel->resize(800, 400);
        panel->show();
        QVERIFY(QTest::qWaitForWindowExposed(panel.get()));
    }
    void cleanup() { panel.reset(); }

    void sliderEndsStoreHundredAndZeroAndReportLater() {
        QSignalSpy changes(panel.get(), &ModulePanel::SelfDataChange);
        pressAt(1, 0.999);
        QCOMPARE(changes.size(), 0);  // the slider's action comes on the next turn
        QTRY_COMPARE(changes.size(), 1);
        QCOMPARE(panel->block()[3], 100u);
        QCOMPARE(panel->pTextFieldVale(1)->text(), QStringLiteral("100"));
        pressAt(1, 0.0);
        QTRY_COMPARE(changes.size(), 2);
        QCOMPARE(panel->block()[3], 0u);
    }

    void typedNumbersAreClampedAndTruncated() {
        QSignalSpy changes(panel.get(), &ModulePanel::SelfDataChange);
        type(0, "150");
        QTRY_COMPARE(changes.size(), 1);
        QCOMPARE(panel->block()[2], 100u);
        QCOMPARE(panel->pTextFieldVale(0)->text(), QStringLiteral("100"));
        QCOMPARE(panel->pSlider(0)->floatValue(), 1.0);
        type(0, "-5");
        QTRY_COMPARE(changes.size(), 2);
        QCOMPARE(panel->block()[2], 0u);
        type(3, "7.8");
        QTRY_COMPARE(changes.size(), 3);
        QCOMPARE(panel->block()[5], 7u);
        QVERIFY(qAbs(panel->pSlider(3)->floatValue() - 0.078) < 1e-6);
    }

    void rejectedTextReportsNothing() {
        QSignalSpy changes(panel.get(), &ModulePanel::SelfDataChange);
        type(2, "5e2");
        QTest::qWait(30);
        QCOMPARE(changes.size(), 0);
        QCOMPARE(panel->pTextFieldVale(2)->text(), QStringLiteral("50"));
        QCOMPARE(panel->block()[4], 0u);
    }

    void pickingAModelKeepsTheParametersAndRelabels() {
        QSignalSpy changes(panel.get(), &ModulePanel::SelfDataChange);
        panel->changedModeValue({1, 1, 11, 22, 33, 44});
        panel->popButton()->setIndexNumber(6);  // "COMPRESSOR 1", as the list leaves it after a click
        panel->popupButtonChange(panel->popButton());
        QCOMPARE(changes.size(), 1);
        QVERIFY(panel->block() == (std::vector<std::uint32_t>{1, 7, 11, 22, 33, 44}));
        QCOMPARE(rowTitles(), (QStringList{"ATTACK", "THRES", "RATIO", "LEVEL"}));
        QCOMPARE(panel->valueName()->picture(), QStringLiteral("206"));
        QCOMPARE(panel->pSlider(1)->accessibleName(), QStringLiteral("THRES"));
    }

    void pedalReportRedrawsWithoutEcho() {
        QSignalSpy changes(panel.get(), &ModulePanel::SelfDataChange);
        panel->changedModeValue({1, 3, 10, 20, 150, 40});
        QTest::qWait(30);
        QCOMPARE(changes.size(), 0);
        QCOMPARE(panel->popButton()->indexNumber(), 2);
        QCOMPARE(panel->popButton()->itemLabel(), QStringLiteral("AUTO WAH"));
        QCOMPARE(rowTitles(), (QStringList{"RATE", "RANGE", "PEAK", "LEVEL"}));
        QVERIFY(panel->valueName()->isVisible());
        QCOMPARE(panel->pSlider(0)->floatValue(), 0.10);
        QCOMPARE(panel->pTextFieldVale(1)->text(), QStringLiteral("20"));
        // Above the range: the field shows it, the slider stays, the block holds it.
        QCOMPARE(panel->pTextFieldVale(2)->text(), QStringLiteral("150"));
        QCOMPARE(panel->pSlider(2)->floatValue(), 0.5);
        QCOMPARE(panel->block()[4], 150u);
    }

    void unknownModelLeavesNamesAndList() {
        panel->changedModeValue({1, 9, 1, 2, 3, 4});
        QCOMPARE(rowTitles(), (QStringList{"Q", "POSITION", "PEAK", "LEVEL"}));
        QCOMPARE(panel->popButton()->indexNumber(), 0);
        QCOMPARE(panel->block()[1], 9u);
    }

    void switchingOffSendsTheWholeBlock() {
        panel->changedModeValue({1, 2, 5, 6, 7, 8});
        QSignalSpy changes(panel.get(), &ModulePanel::SelfDataChange);
        panel->ModeOnOffChange(0);
        QCOMPARE(changes.size(), 1);
        QVERIFY(panel->block() == (std::vector<std::uint32_t>{0, 2, 5, 6, 7, 8}));
    }
};

QTEST_MAIN(TestFxModeController)
#include "test_fx_mode_controller.moc"
