// HYSlider and GSlider: pointer-to-value mapping, deferred actions, setting from code,
// and where the knob is drawn.
#include <QSignalSpy>
#include <QtTest>
#include <cmath>
#include <limits>
#include <memory>

#include "g_slider.h"
#include "hy_slider.h"

using quorvex::ui::GSlider;
using quorvex::ui::HYSlider;
using quorvex::ui::ValueSlider;

namespace {

template <typename Slider>
std::unique_ptr<Slider> makeSlider(int w, int h) {
    auto s = std::make_unique<Slider>();
    s->setFixedSize(w, h);
    s->show();
    return s;
}

void pressAt(QWidget* w, int x) {
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(x, w->height() / 2));
}

void releaseAt(QWidget* w, int x) {
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(x, w->height() / 2));
}

// Colour of the pixel at (x, y) of what the widget draws.
QColor pixelAt(QWidget* w, int x, int y) {
    return w->grab().toImage().pixelColor(x, y);
}

bool close(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 3 && std::abs(a.green() - b.green()) <= 3 &&
           std::abs(a.blue() - b.blue()) <= 3;
}

}  // namespace

class SliderTest : public QObject {
    Q_OBJECT
private slots:
    // Track from 0.015 w to 0.985 w. Width 200: ends at x = 3 and x = 197.
    void gSliderMapsPointer_data();
    void gSliderMapsPointer();
    // Knob centre follows the pointer: with u = w - h the track runs from
    // h/2 + 0.015 u to h/2 + 0.985 u. 230 x 30: ends at x = 18 and x = 212.
    void hySliderMapsPointer_data();
    void hySliderMapsPointer();

    void actionIsDeferredAndCarriesSender();
    void dragStepsEachActAndHandlerSeesStoredValue();
    void onlyTheLeftButtonMovesTheKnob();
    void pointerIgnoresBounds();
    void codeOnlyTakesValuesWithinBounds();
    void codeNeverActs();
    void pendingActionDiesWithSlider();
    void keyboardActsLikeThePointer();

    void gSliderDrawsKnobAndFillAtValue();
    void knobColourFollowsPointerOver();
};

void SliderTest::gSliderMapsPointer_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<double>("expected");
    QTest::newRow("before left end") << 0 << 0.0;
    QTest::newRow("left end (0.015 w)") << 3 << 0.0;
    QTest::newRow("just right of left end") << 4 << 1.0 / 194.0;
    QTest::newRow("quarter") << 50 << 47.0 / 194.0;
    QTest::newRow("middle") << 100 << 0.5;
    QTest::newRow("right end (0.985 w)") << 197 << 1.0;
    QTest::newRow("beyond right end") << 199 << 1.0;
}

void SliderTest::gSliderMapsPointer() {
    QFETCH(int, x);
    QFETCH(double, expected);
    auto s = makeSlider<GSlider>(200, 20);
    s->setFloatValue(0.3);  // a start value none of the rows expects
    pressAt(s.get(), x);
    QCOMPARE(s->floatValue(), expected);
    releaseAt(s.get(), x);
}

void SliderTest::hySliderMapsPointer_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<double>("expected");
    QTest::newRow("left edge of view") << 0 << 0.0;
    QTest::newRow("left end") << 18 << 0.0;
    QTest::newRow("quarter") << 65 << 47.0 / 194.0;
    QTest::newRow("middle") << 115 << 0.5;
    QTest::newRow("right end") << 212 << 1.0;
    QTest::newRow("right edge of view") << 229 << 1.0;
}

void SliderTest::hySliderMapsPointer() {
    QFETCH(int, x);
    QFETCH(double, expected);
    auto s = makeSlider<HYSlider>(230, 30);
    s->setFloatValue(0.3);
    pressAt(s.get(), x);
    QCOMPARE(s->floatValue(), expected);
    releaseAt(s.get(), x);
}

void SliderTest::actionIsDeferredAndCarriesSender() {
    auto s = makeSlider<HYSlider>(230, 30);
    QSignalSpy spy(s.get(), &HYSlider::action);
    pressAt(s.get(), 115);
    QCOMPARE(spy.count(), 0);  // not while the press is being handled
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<HYSlider*>(), s.get());
    releaseAt(s.get(), 115);
    QTest::qWait(20);
    QCOMPARE(spy.count(), 1);  // the release adds nothing

    auto g = makeSlider<GSlider>(200, 20);
    QSignalSpy gSpy(g.get(), &GSlider::action);
    pressAt(g.get(), 100);
    QCOMPARE(gSpy.count(), 0);
    QTRY_COMPARE(gSpy.count(), 1);
    QCOMPARE(gSpy.at(0).at(0).value<GSlider*>(), g.get());
}

void SliderTest::dragStepsEachActAndHandlerSeesStoredValue() {
    auto s = makeSlider<GSlider>(200, 20);
    QList<double> seen;
    connect(s.get(), &GSlider::action, this, [&seen](GSlider* sender) { seen << sender->floatValue(); });
    pressAt(s.get(), 3);
    QCOMPARE(s->floatValue(), 0.0);
    QTest::mouseMove(s.get(), QPoint(100, 10));
    QCOMPARE(s->floatValue(), 0.5);
    QTest::mouseMove(s.get(), QPoint(250, 10));  // dragged past the view's right edge
    QCOMPARE(s->floatValue(), 1.0);
    QVERIFY(seen.isEmpty());
    QTRY_COMPARE(seen.size(), 3);  // one per press and per drag step
    // Each handler ran after the slider had stored its newest value.
    QCOMPARE(seen, (QList<double>{1.0, 1.0, 1.0}));
    QTest::mouseMove(s.get(), QPoint(-40, 10));
    QCOMPARE(s->floatValue(), 0.0);
    releaseAt(s.get(), -40);
}

void SliderTest::onlyTheLeftButtonMovesTheKnob() {
    auto s = makeSlider<HYSlider>(230, 30);
    s->setFloatValue(0.25);
    QSignalSpy spy(s.get(), &HYSlider::action);
    QTest::mousePress(s.get(), Qt::RightButton, {}, QPoint(212, 15));
    QTest::mouseRelease(s.get(), Qt::RightButton, {}, QPoint(212, 15));
    QTest::mouseMove(s.get(), QPoint(18, 15));  // hovering, no button held
    QCOMPARE(s->floatValue(), 0.25);
    QTest::qWait(20);
    QCOMPARE(spy.count(), 0);
}

void SliderTest::pointerIgnoresBounds() {
    auto s = makeSlider<GSlider>(200, 20);
    s->setMinValue(0.2);
    s->setMaxValue(0.8);
    pressAt(s.get(), 197);
    QCOMPARE(s->floatValue(), 1.0);
    QTest::mouseMove(s.get(), QPoint(3, 10));
    QCOMPARE(s->floatValue(), 0.0);
    releaseAt(s.get(), 3);
}

void SliderTest::codeOnlyTakesValuesWithinBounds() {
    auto s = makeSlider<HYSlider>(230, 30);
    QCOMPARE(s->minValue(), 0.0);
    QCOMPARE(s->maxValue(), 1.0);
    QCOMPARE(s->floatValue(), 0.0);

    s->setFloatValue(0.5);
    s->setFloatValue(1.0033);
    QCOMPARE(s->floatValue(), 0.5);
    s->setFloatValue(-0.01);
    QCOMPARE(s->floatValue(), 0.5);
    s->setFloatValue(std::numeric_limits<double>::quiet_NaN());
    QCOMPARE(s->floatValue(), 0.5);
    s->setFloatValue(1.0);
    QCOMPARE(s->floatValue(), 1.0);
    s->setFloatValue(0.0);
    QCOMPARE(s->floatValue(), 0.0);

    s->setMinValue(-12.0);
    s->setMaxValue(12.0);
    s->setFloatValue(-12.0);
    QCOMPARE(s->floatValue(), -12.0);
    s->setFloatValue(12.5);
    QCOMPARE(s->floatValue(), -12.0);
}

void SliderTest::codeNeverActs() {
    auto h = makeSlider<HYSlider>(230, 30);
    auto g = makeSlider<GSlider>(200, 20);
    QSignalSpy hSpy(h.get(), &HYSlider::action);
    QSignalSpy gSpy(g.get(), &GSlider::action);
    h->setFloatValue(0.7);
    g->setFloatValue(0.7);
    h->setFloatValue(2.0);
    QTest::qWait(20);
    QCOMPARE(hSpy.count(), 0);
    QCOMPARE(gSpy.count(), 0);
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

void SliderTest::keyboardActsLikeThePointer() {
    auto s = makeSlider<GSlider>(200, 20);
    QSignalSpy spy(s.get(), &GSlider::action);
    s->setFloatValue(0.5);
    QTest::keyClick(s.get(), Qt::Key_Left);
    QCOMPARE(s->floatValue(), 0.49);
    QTest::keyClick(s.get(), Qt::Key_End);
    QCOMPARE(s->floatValue(), 1.0);
    QTest::keyClick(s.get(), Qt::Key_Right);  // already at the end: stays
    QCOMPARE(s->floatValue(), 1.0);
    QCOMPARE(spy.count(), 0);
    QTRY_COMPARE(spy.count(), 3);
}

void SliderTest::gSliderDrawsKnobAndFillAtValue() {
    auto s = makeSlider<GSlider>(200, 20);
    const QColor knob = s->sliderColor();
    const QColor fill = s->fillColor();
    const QColor track = s->tintColor();
    QVERIFY(!close(knob, fill) && !close(fill, track) && !close(knob, track));

    s->setFloatValue(0.5);  // knob over x = 97..103
    QVERIFY(close(pixelAt(s.get(), 100, 10), knob));
    QVERIFY(close(pixelAt(s.get(), 50, 10), fill));
    QVERIFY(close(pixelAt(s.get(), 150, 10), track));

    // Bounds 0..0.5: the same value now sits at the right end of the track.
    s->setMaxValue(0.5);
    s->update();
    QVERIFY(close(pixelAt(s.get(), 196, 10), knob));
    QVERIFY(close(pixelAt(s.get(), 150, 10), fill));

    // A refused value leaves the knob where it was.
    s->setFloatValue(0.9);
    QVERIFY(close(pixelAt(s.get(), 196, 10), knob));
}

void SliderTest::knobColourFollowsPointerOver() {
    auto h = makeSlider<HYSlider>(230, 30);
    h->setFloatValue(0.5);  // knob centre at x = 115
    QVERIFY(close(pixelAt(h.get(), 115, 15), h->sliderColor()));
    QEnterEvent enter(QPointF(115, 15), QPointF(115, 15), QPointF(115, 15));
    QApplication::sendEvent(h.get(), &enter);
    QVERIFY(close(pixelAt(h.get(), 115, 15), h->onTintColor()));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(h.get(), &leave);
    QVERIFY(close(pixelAt(h.get(), 115, 15), h->sliderColor()));

    auto g = makeSlider<GSlider>(200, 20);
    g->setFloatValue(0.5);
    QApplication::sendEvent(g.get(), &enter);
    QVERIFY(close(pixelAt(g.get(), 100, 10), QColor(255, 165, 0)));  // orange under the pointer
}

QTEST_MAIN(SliderTest)
#include "test_sliders.moc"
