#include "hy_slider.h"

#include <QPainter>

#include "control_palette.h"

namespace quorvex::ui {

HYSlider::HYSlider(QWidget* parent) : ValueSlider(parent) {
    setSliderColor(palette::fromFractions(0.99, 0.99, 0.99));
    setOnTintColor(palette::fromFractions(0.0, 0.91, 0.78));
    setTintColor(palette::fromFractions(0.0, 0.01, 0.01));
    setFillColor(palette::teal());
}

double HYSlider::valueAtPointer(double x) const {
    const double h = height();
    const double u = width() - h;
    const double left = 0.015 * u;
    const double right = 0.985 * u;
    const double centre = x - h / 2.0;
    if (centre <= left)
        return 0.0;
    if (centre >= right)
        return 1.0;
    return (centre - left) / (0.97 * u);
}

void HYSlider::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double h = height();
    const double u = width() - h;
    const double knobX = h / 2.0 + 0.015 * u + knobFraction() * 0.97 * u;
    const double trackH = std::max(4.0, h / 4.0);
    const QRectF track(h / 2.0, (h - trackH) / 2.0, std::max(0.0, u), trackH);
    const double r = sliderRadius();

    p.setPen(QPen(palette::outline(), 1.0));
    p.setBrush(tintColor());
    p.drawRoundedRect(track, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(fillColor());
    p.drawRoundedRect(QRectF(track.left(), track.top(), knobX - track.left(), trackH), r, r);

    // The knob: a ring in the accent colour shows keyboard focus.
    p.setPen(hasFocus() ? QPen(palette::teal(), 2.0) : QPen(palette::stage(), 1.0));
    p.setBrush(knobColor());
    p.drawEllipse(QPointF(knobX, h / 2.0), h / 2.0 - 1.0, h / 2.0 - 1.0);
}

}  // namespace quorvex::ui
