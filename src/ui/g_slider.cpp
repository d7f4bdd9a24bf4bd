#include "g_slider.h"

#include <QPainter>

#include "control_palette.h"

namespace quorvex::ui {

GSlider::GSlider(QWidget* parent) : ValueSlider(parent) {
    setSliderColor(Qt::white);
    setOnTintColor(QColor(255, 165, 0));  // orange while the pointer is over the slider
    setTintColor(palette::fromFractions(0.81, 0.81, 0.81));
    setFillColor(palette::fromFractions(0.37, 0.37, 0.37));
}

double GSlider::valueAtPointer(double x) const {
    const double w = width();
    const double left = 0.015 * w;
    const double right = 0.985 * w;
    if (x <= left)
        return 0.0;
    if (x >= right)
        return 1.0;
    return (x - left) / (0.97 * w);
}

void GSlider::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const double w = width();
    const double h = height();
    const double knobX = 0.015 * w + knobFraction() * 0.97 * w;
    const double trackH = std::max(4.0, h / 3.0);
    const QRectF track(0.015 * w, (h - trackH) / 2.0, 0.97 * w, trackH);
    const double r = sliderRadius();

    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(tintColor());
    p.drawRoundedRect(track, r, r);
    p.setBrush(fillColor());
    p.drawRoundedRect(QRectF(track.left(), track.top(), knobX - track.left(), trackH), r, r);

    p.setPen(hasFocus() ? QPen(palette::teal(), 2.0) : QPen(palette::stage(), 1.0));
    p.setBrush(knobColor());
    p.drawRect(QRectF(knobX - 0.015 * w, 1.0, 0.03 * w, h - 2.0));
}

}  // namespace quorvex::ui
