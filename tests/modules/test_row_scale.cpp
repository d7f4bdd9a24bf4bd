// The conversions between a row's stored number, its slider and the number shown.
#include "row_scale.h"

#include <QtTest>

using namespace quorvex;

Q_DECLARE_METATYPE(quorvex::RowScale)

class TestRowScale : public QObject {
    Q_OBJECT

private slots:
    void sliderStoresAndShows_data() {
        QTest::addColumn<RowScale>("scale");
        QTest::addColumn<double>("position");
        QTest::addColumn<uint>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain 0.505") << RowScale::plain() << 0.505 << 50u << "50";
        QTest::newRow("plain 0.999") << RowScale::plain() << 0.999 << 99u << "99";
        QTest::newRow("time left") << RowScale::range(40, 2500) << 0.0 << 40u << "40";
        QTest::newRow("time middle") << RowScale::range(40, 2500) << 0.5 << 1270u << "1270";
        QTest::newRow("time right") << RowScale::range(40, 2500) << 1.0 << 2500u << "2500";
        QTest::newRow("gain middle") << RowScale::gainDb() << 0.5 << 12u << "0";
        QTest::newRow("gain right") << RowScale::gainDb() << 1.0 << 24u << "+12";
        QTest::newRow("gain cut toward zero") << RowScale::gainDb() << 0.3 << 8u << "-4";
        QTest::newRow("frequency right") << RowScale::range(60, 18000) << 1.0 << 18000u << "18000";
        QTest::newRow("pitch left") << RowScale::signedSteps(240, 120, 10) << 0.0 << 0u << "-12";
        QTest::newRow("pitch middle") << RowScale::signedSteps(240, 120, 10) << 0.5 << 120u << "0";
        QTest::newRow("pitch right") << RowScale::signedSteps(240, 120, 10) << 1.0 << 240u << "+12";
        QTest::newRow("pitch tenth") << RowScale::signedSteps(240, 120, 10) << 0.52 << 124u << "+0.4";
        QTest::newRow("pre delay middle") << RowScale::multiplied(5) << 0.5 << 50u << "250";
        QTest::newRow("pre delay right") << RowScale::multiplied(5) << 1.0 << 100u << "500";
    }
    void sliderStoresAndShows() {
        QFETCH(RowScale, scale);
        QFETCH(double, position);
        QFETCH(uint, stored);
        QFETCH(QString, shown);
        QCOMPARE(scale.storedFromSlider(position), stored);
        QCOMPARE(scale.text(stored), shown);
    }

    void typedNumbersAreClampedAndCut_data() {
        QTest::addColumn<RowScale>("scale");
        QTest::addColumn<double>("typed");
        QTest::addColumn<uint>("stored");
        QTest::addColumn<double>("position");
        QTest::newRow("plain 7.8") << RowScale::plain() << 7.8 << 7u << 0.078;
        QTest::newRow("time above") << RowScale::range(40, 2500) << 3000.0 << 2500u << 1.0;
        QTest::newRow("time below") << RowScale::range(40, 2500) << 10.0 << 40u << 0.0;
        QTest::newRow("gain above") << RowScale::gainDb() << 20.0 << 24u << 1.0;
        QTest::newRow("gain below") << RowScale::gainDb() << -13.0 << 0u << 0.0;
        QTest::newRow("gain fraction") << RowScale::gainDb() << -4.5 << 8u << 7.5 / 24;
        QTest::newRow("frequency above") << RowScale::range(60, 18000) << 20000.0 << 18000u << 1.0;
        QTest::newRow("detune 2.5") << RowScale::signedSteps(400, 200, 10) << 2.5 << 225u << 22.5 / 40;
        QTest::newRow("detune -0.3 from a float") << RowScale::signedSteps(400, 200, 10) << double(-0.3f) << 197u
                                                  << 19.7 / 40;
        QTest::newRow("pitch above") << RowScale::signedSteps(240, 120, 10) << 15.0 << 240u << 1.0;
        QTest::newRow("pre delay x5") << RowScale::multiplied(5) << 123.0 << 24u << 123.0 / 500;
        QTest::newRow("pre delay above") << RowScale::multiplied(5) << 900.0 << 100u << 1.0;
    }
    void typedNumbersAreClampedAndCut() {
        QFETCH(RowScale, scale);
        QFETCH(double, typed);
        QFETCH(uint, stored);
        QFETCH(double, position);
        QCOMPARE(scale.storedFromTyped(typed), stored);
        QVERIFY(qAbs(scale.sliderPositionOfShown(typed) - position) < 1e-6);
    }

    void reportedValuesPlaceTheSlider() {
        QCOMPARE(RowScale::multiplied(5).sliderPosition(20), 0.2);
        QCOMPARE(RowScale::range(40, 2500).sliderPosition(1270), 0.5);
        QCOMPARE(RowScale::signedSteps(400, 200, 10).sliderPosition(100), 0.25);
        QVERIFY(RowScale::range(60, 18000).sliderPosition(10) < 0.0);  // outside: the slider ignores it
    }
};

QTEST_GUILESS_MAIN(TestRowScale)
#include "test_row_scale.moc"
