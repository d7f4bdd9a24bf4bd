#include "value_slider.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "control_accessibility.h"

namespace quorvex::ui {

ValueSlider::ValueSlider(QWidget* parent) : QWidget(parent) {
    installControlAccessibility();
    // Enter and leave events are all the pointer-over colour needs; no move tracking.
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
}

void ValueSlider::setFloatValue(double v) {
    // Written so that NaN fails too: it is never inside the bounds.
    if (!(v >= m_minValue && v <= m_maxValue))
        return;
    m_floatValue = v;
    valueChanged();
}

void ValueSlider::setMinValue(double v) {
    m_minValue = v;
    update();
}

void ValueSlider::setMaxValue(double v) {
    m_maxValue = v;
    update();
}

void ValueSlider::setSliderColor(const QColor& c) { m_sliderColor = c; update(); }
void ValueSlider::setOnTintColor(const QColor& c) { m_onTintColor = c; update(); }
void ValueSlider::setTintColor(const QColor& c) { m_tintColor = c; update(); }
void ValueSlider::setFillColor(const QColor& c) { m_fillColor = c; update(); }
void ValueSlider::setSliderRadius(int r) { m_sliderRadius = r; update(); }

double ValueSlider::knobFraction() const {
    const double span = m_maxValue - m_minValue;
    if (!(span > 0.0))
        return 0.0;
    return std::clamp((m_floatValue - m_minValue) / span, 0.0, 1.0);
}

void ValueSlider::setValueByUser(double v) {
    m_floatValue = std::clamp(v, 0.0, 1.0);
    valueChanged();
    // Deferred so that the owner runs after this event has been handled; the posted
    // call dies with the slider if the slider goes first.
    QMetaObject::invokeMethod(this, [this] { performAction(); }, Qt::QueuedConnection);
}

void ValueSlider::valueChanged() {
    update();
    QAccessibleValueChangeEvent event(this, m_floatValue);
    QAccessible::updateAccessibility(&event);
}

void ValueSlider::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    setValueByUser(valueAtPointer(e->position().x()));
}

void ValueSlider::mouseMoveEvent(QMouseEvent* e) {
    if (!(e->buttons() & Qt::LeftButton)) {
        e->ignore();
        return;
    }
    setValueByUser(valueAtPointer(e->position().x()));
}

// Home and End go to the ends like the pointer; the other keys step the owner's value.
void ValueSlider::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down: emit stepRequested(-1); break;
    case Qt::Key_Right:
    case Qt::Key_Up: emit stepRequested(1); break;
    case Qt::Key_PageDown: emit stepRequested(-kPageSteps); break;
    case Qt::Key_PageUp: emit stepRequested(kPageSteps); break;
    case Qt::Key_Home: setValueByUser(0.0); break;
    case Qt::Key_End: setValueByUser(1.0); break;
    default: QWidget::keyPressEvent(e);
    }
}

void ValueSlider::enterEvent(QEnterEvent* e) {
    m_pointerOver = true;
    update();
    QWidget::enterEvent(e);
}

void ValueSlider::leaveEvent(QEvent* e) {
    m_pointerOver = false;
    update();
    QWidget::leaveEvent(e);
}

}  // namespace quorvex::ui
