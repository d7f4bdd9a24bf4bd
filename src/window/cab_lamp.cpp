#include "cab_lamp.h"

#include <QAccessible>
#include <QPainter>
#include <QRadialGradient>

#include "preset_accessibility.h"
#include "preset_screen_style.h"

namespace quorvex {

namespace {
constexpr double kLampRadius = 5.0;
}

CabLamp::CabLamp(const QString& caption, QWidget* parent) : QWidget(parent), m_caption(caption) {
    installPresetAccessibility();
    setAccessibleName(caption);
    setFixedSize(sizeHint());
}

void CabLamp::setLit(bool lit) {
    if (lit == m_lit)
        return;
    m_lit = lit;
    update();
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

QPointF CabLamp::lampCentre() const { return {kLampRadius + 6.0, height() / 2.0}; }

void CabLamp::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF plate = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(m_lit ? preset_style::teal().darker(160) : preset_style::edge(), 1.0));
    p.setBrush(preset_style::display());
    p.drawRoundedRect(plate, plate.height() / 2, plate.height() / 2);

    const QPointF c = lampCentre();
    if (m_lit) {
        // A soft glow around a bright core, like an LED behind a lens.
        QRadialGradient glow(c, kLampRadius * 2.2);
        QColor halo = preset_style::teal();
        halo.setAlpha(110);
        glow.setColorAt(0.0, halo);
        halo.setAlpha(0);
        glow.setColorAt(1.0, halo);
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(c, kLampRadius * 2.2, kLampRadius * 2.2);
        p.setBrush(preset_style::teal());
    } else {
        p.setPen(QPen(preset_style::edge(), 1.0));
        p.setBrush(preset_style::unlit());
    }
    p.drawEllipse(c, kLampRadius, kLampRadius);

    p.setPen(m_lit ? preset_style::text() : preset_style::dimText());
    p.setFont(preset_style::font(11, QFont::Bold));
    p.drawText(QRectF(c.x() + kLampRadius + 6, 0, width() - c.x() - kLampRadius - 8, height()),
               Qt::AlignVCenter | Qt::AlignLeft, m_caption);
}

}  // namespace quorvex
