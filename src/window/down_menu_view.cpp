#include "control_accessibility.h"
#include "down_menu_view.h"

#include <QAccessible>
#include <QPainter>
#include <QPainterPath>

#include "preset_screen_style.h"
#include "preset_slots.h"

namespace quorvex {

downMenuView::downMenuView(QWidget* parent) : PopUpTrigger(parent) {
    setObjectName("presetNameHY");
    setAccessibleName("presetNameHY");
    setMinimumSize(180, 36);
}

void downMenuView::setState(int state) {
    if (state == m_state)
        return;
    m_state = state;
    update();
    ui::announceExpandedChange(this);
}

void downMenuView::onTriggered() {
    setState(m_state == kOpen ? kClosed : kOpen);
    emit composeToolDownMenuOpenState(m_state);
}

void downMenuView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintDisplayFrame(p);

    // The arrow: down while closed, up while open.
    const double ax = width() - 22.0;
    const double ay = height() / 2.0;
    QPainterPath arrow;
    if (isOpen()) {
        arrow.moveTo(ax - 7, ay + 4);
        arrow.lineTo(ax + 7, ay + 4);
        arrow.lineTo(ax, ay - 4);
    } else {
        arrow.moveTo(ax - 7, ay - 4);
        arrow.lineTo(ax + 7, ay - 4);
        arrow.lineTo(ax, ay + 4);
    }
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(preset_style::teal());
    p.drawPath(arrow);

    // The bank label lit in teal, the name in white.
    const QRect textArea = rect().adjusted(14, 0, -40, 0);
    const QString entry = text();
    const QString label = entry.left(kEntryLabelLength - 1);
    const QString rest = entry.mid(kEntryLabelLength - 1);
    QFont f = preset_style::font(17, QFont::Bold);
    p.setFont(f);
    const QFontMetrics fm(f);
    p.setPen(preset_style::teal());
    p.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft, label);
    const int labelWidth = fm.horizontalAdvance(label);
    p.setPen(preset_style::text());
    p.drawText(textArea.adjusted(labelWidth, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
               fm.elidedText(rest, Qt::ElideRight, textArea.width() - labelWidth));
}

}  // namespace quorvex
