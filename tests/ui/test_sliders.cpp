// HYSlider and GSlider: pointer-to-value mapping, deferred actions, and setting from code
// (the keyboard's steps are in the editor's keyboard test).
#include <QSignalSpy>
#include <QtTest>
#include <limits>
#include <memory>

#include "g_slider.h"
#include "hy_slider.h"

using quorvex::ui::GSlider;
using quorvex::ui::HYSlider;
using quorvex::ui::ValueSlider;

namespace {

std::unique_ptr<ValueSlider> makeSlider(bool round) {
    std::unique_ptr<ValueSlider> s;
    if (round)
        s = std::make_unique<HYSlider>();
    else
        s = std::make_unique<GSlider>();
    s->setFixedSize(round ? QSize(230, 30) : QSize(200, 20));
    s->show();
    return s;
}

void pressAt(QWidget* w, int x) { QTest::mousePress(w, Qt::LeftButton, {}, QPoint(x, w->height() / 2)); }

}  // namespace

class SliderTest : public QObject {
    Q_OBJECT
private slots:
    // GSlider 200 wide: track from 0.015 w to 0.985 w, ends at x = 3 and x = 197.
    void everyStepActsLaterWithTheStoredValue();
    void onlyTheLeftButtonMovesTheKnob();
    void codeTakesOnlyValuesWithinBoundsAndNeverActs();
    void pendingActionDiesWithSlider();
};

void SliderTest::everyStepActsLaterWithTheStoredValue() {
    GSlider s;
    s.setFixedSize(200, 20);
    QList<double> seen;
    connect(&s, &GSlider::action, this, [&seen, &s](GSlider* sender) {
        QCOMPARE(sender, &s);
        seen << sender->floatValue();
    });
    pressAt(&s, 3);
    QTest::mouseMove(&s, QPoint(100, 10));
    QTest::mouseMove(&s, QPoint(250, 10));  // dragged past the view's right edge
    QCOMPARE(s.floatValue(), 1.0);
    QVERIFY(seen.isEmpty());  // not while the events are being handled
    QTRY_COMPARE(seen.size(), 3);
    QCOMPARE(seen, (QList<double>{1.0, 1.0, 1.0}));
    QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(250, 10));
    QTest::qWait(20);
    QCOMPARE(seen.size(), 3);  // the release adds nothing
}

void SliderTest::onlyTheLeftButtonMovesTheKnob() {
    auto s = makeSlider(true);
    s->setFloatValue(0.25);
    QSignalSpy spy(static_cast<HYSlider*>(s.get()), &HYSlider::action);
    QTest::mousePress(s.get(), Qt::RightButton, {}, QPoint(212, 15));
    QTest::mouseMove(s.get(), QPoint(18, 15));  // no left button held
    QCOMPARE(s->floatValue(), 0.25);
    QTest::qWait(20);
    QCOMPARE(spy.count(), 0);
}

void SliderTest::codeTakesOnlyValuesWithinBoundsAndNeverActs() {
    HYSlider s;
    QSignalSpy spy(&s, &HYSlider::action);
    QCOMPARE(s.minValue(), 0.0);
    QCOMPARE(s.maxValue(), 1.0);
    s.setFloatValue(0.5);
    for (double refused : {1.0033, -0.01, std::numeric_limits<double>::quiet_NaN()}) {
        s.setFloatValue(refused);
        QCOMPARE(s.floatValue(), 0.5);
    }
    s.setFloatValue(1.0);
    QCOMPARE(s.floatValue(), 1.0);
    // The knob sits at (value - min) / (max - min) of the track.
    s.setMinValue(-12.0);
    s.setMaxValue(12.0);
    s.setFloatValue(-6.0);
    QCOMPARE(s.knobFraction(), 0.25);
    QTest::qWait(20);
    QCOMPARE(spy.count(), 0);
}

void SliderTest::pendingActionDiesWithSlider() {
    auto* s = new HYSlider;
    s->setFixedSize(230, 30);
    int calls = 0;
    connect(s, &HYSlider::action, this, [&calls](HYSlider*) { ++calls; });
    pressAt(s, 115);
    delete s;
    QTest::qWait(20);
    QCOMPARE(calls, 0);
}

QTEST_MAIN(SliderTest)
#include "test_sliders.moc"
