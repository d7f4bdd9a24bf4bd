#include "striped_progress_bar.h"

#include "control_palette.h"

#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include <algorithm>

namespace quorvex::ui {

StripedProgressBar::StripedProgressBar(QWidget* parent) : QProgressBar(parent), timer_(new QTimer(this)) {
    setRange(0, 1000);
    setValue(0);
    setTextVisible(false);
    setMinimumHeight(18);
    timer_->setInterval(40);
    connect(timer_, &QTimer::timeout, this, [this] {
        phase_ = (phase_ + 1) % 24;
        update();
    });
    timer_->start();
}

void StripedProgressBar::setFraction(double fraction) {
    setValue(static_cast<int>(std::clamp(fraction, 0.0, 1.0) * 1000.0));
}

void StripedProgressBar::holdStill() {
    timer_->stop();
    phase_ = 0;
    update();
}

void StripedProgressBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal radius = track.height() / 2;
    p.setPen(QPen(palette::outline(), 1));
    p.setBrush(QColor(0x0d, 0x0f, 0x11));
    p.drawRoundedRect(track, radius, radius);

    QRectF filled = track;
    filled.setWidth(track.width() * fraction());
    if (filled.width() < 1) return;
    QPainterPath clip;
    clip.addRoundedRect(filled, radius, radius);
    p.setClipPath(clip);
    p.fillRect(filled, palette::teal());
    p.setPen(Qt::NoPen);
    p.setBrush(palette::teal().darker(130));
    const qreal h = track.height();
    for (qreal x = filled.left() - 2 * h + phase_; x < filled.right() + h; x += 24) {
        QPolygonF stripe;
        stripe << QPointF(x, track.bottom()) << QPointF(x + 12, track.bottom()) << QPointF(x + 12 + h, track.top())
               << QPointF(x + h, track.top());
        p.drawPolygon(stripe);
    }
}

}  // namespace quorvex::ui
