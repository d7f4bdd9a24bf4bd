#include "group_badge.h"

#include "control_palette.h"

#include <QPainter>
#include <QPainterPath>

namespace quorvex {

GroupBadge::GroupBadge(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("valueName"));
    setMinimumSize(180, 56);
}

void GroupBadge::setGroup(const QString& picture, const QString& caption) {
    picture_ = picture;
    caption_ = caption;
    setAccessibleDescription(caption);
    update();
}

void GroupBadge::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plate = QRectF(rect()).adjusted(2, 2, -2, -2);
    QLinearGradient shade(plate.topLeft(), plate.bottomLeft());
    shade.setColorAt(0, QColor(0x2a, 0x31, 0x36));
    shade.setColorAt(1, QColor(0x1a, 0x1e, 0x22));
    p.setPen(QPen(ui::palette::teal(), 1.5));
    p.setBrush(shade);
    p.drawRoundedRect(plate, 10, 10);
    // A lit jewel on the left, like the status lamp of a stomp box.
    const QPointF jewel(plate.left() + 26, plate.center().y());
    QRadialGradient glow(jewel, 14);
    glow.setColorAt(0, ui::palette::teal().lighter(150));
    glow.setColorAt(1, Qt::transparent);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(jewel, 14, 14);
    p.setBrush(ui::palette::teal());
    p.drawEllipse(jewel, 5, 5);
    QFont font = p.font();
    font.setBold(true);
    font.setPointSizeF(13);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(font);
    p.setPen(ui::palette::text());
    p.drawText(plate.adjusted(48, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft, caption_);
}

}  // namespace quorvex
