// The conversions between a row's stored number, its slider and the number shown.
#include "row_scale.h"

#include <QtTest>

using namespace quorvex;

Q_DECLARE_METATYPE(quorvex::RowScale)

class TestRowScale : public QObject {
    Q_OBJECT

private slots:
    void convertsBothWays_data() {
        QTest::addColumn<RowScale>("scale");
        QTest::addColumn<double>("position");  // slider position ...
        QTest::addColumn<uint>("fromSlider");  // ... stores this
        QTest::addColumn<QString>("shown");    // ... which reads so
        QTest::addColumn<double>("typed");     // a typed number ...
        QTest::addColumn<uint>("fromTyped");   // ... stores this
        QTest::addColumn<double>("moved");     // ... and puts the slider here
        const auto time = RowScale::range(40, 2500), gain = RowScale::gainDb(), hz = RowScale::range(60, 18000);
        const auto pitch = RowScale::signedSteps(240, 120, 10), detune = RowScale::signedSteps(400, 200, 10);
        const auto preDelay = RowScale::multiplied(5);
        QTest::newRow("plain") << RowScale::plain() << 0.505 << 50u << "50" << 7.8 << 7u << 0.078;
        QTest::newRow("time middle, typed above") << time << 0.5 << 1270u << "1270" << 3000.0 << 2500u << 1.0;
        QTest::newRow("time right, typed below") << time << 1.0 << 2500u << "2500" << 10.0 << 40u << 0.0;
        QTest::newRow("gain middle, typed above") << gain << 0.5 << 12u << "0" << 20.0 << 24u << 1.0;
        QTest::newRow("gain cut toward zero") << gain << 0.3 << 8u << "-4" << -4.5 << 8u << 7.5 / 24;
        QTest::newRow("gain right, typed below") << gain << 1.0 << 24u << "+12" << -13.0 << 0u << 0.0;
        QTest::newRow("frequency") << hz << 1.0 << 18000u << "18000" << 20000.0 << 18000u << 1.0;
        QTest::newRow("pitch left") << pitch << 0.0 << 0u << "-12" << 15.0 << 240u << 1.0;
        QTest::newRow("pitch middle") << pitch << 0.5 << 120u << "0" << -2.5 << 95u << 9.5 / 24;
        QTest::newRow("pitch tenths") << pitch << 0.52 << 124u << "+0.4" << 12.0 << 240u << 1.0;
        QTest::newRow("detune, typed float") << detune << 1.0 << 400u << "+20" << double(-0.3f) << 197u << 19.7 / 40;
        QTest::newRow("pre delay x5") << preDelay << 0.5 << 50u << "250" << 123.0 << 24u << 123.0 / 500;
        QTest::newRow("pre delay right") << preDelay << 1.0 << 100u << "500" << 900.0 << 100u << 1.0;
    }
    void convertsBothWays() {
        QFETCH(RowScale, scale);
        QFETCH(double, position);
        QFETCH(uint, fromSlider);
        QFETCH(QString, shown);
        QFETCH(double, typed);
        QFETCH(uint, fromTyped);
        QFETCH(double, moved);
        QCOMPARE(scale.storedFromSlider(position), fromSlider);
        QCOMPARE(scale.text(fromSlider), shown);
        QCOMPARE(scale.storedFromTyped(typed), fromTyped);
        QVERIFY(qAbs(scale.sliderPositionOfShown(typed) - moved) < 1e-6);
        QVERIFY(qAbs(scale.sliderPosition(fromSlider) - position) < 0.05);  // within one step
    }

    void reportsOutsideTheRangeLeaveTheSlider() {
        QVERIFY(RowScale::range(60, 18000).sliderPosition(10) < 0.0);  // the slider ignores it
        QVERIFY(RowScale::plain().sliderPosition(150) > 1.0);
    }
};

QTEST_GUILESS_MAIN(TestRowScale)
#include "test_row_scale.moc"
