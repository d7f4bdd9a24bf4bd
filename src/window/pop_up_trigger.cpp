#include "pop_up_trigger.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "preset_accessibility.h"
#include "preset_screen_style.h"

namespace quorvex {

PopUpTrigger::PopUpTrigger(QWidget* parent) : QWidget(parent) {
    installPresetAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
}

void PopUpTrigger::setText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    update();
    QAccessibleValueChangeEvent event(this, m_text);
    QAccessible::updateAccessibility(&event);
}

void PopUpTrigger::trigger() {
    onTriggered();
    update();
    emit clicked();
}

void PopUpTrigger::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    trigger();
}

void PopUpTrigger::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            trigger();
            return;
        default:
            QWidget::keyPressEvent(e);
    }
}

void PopUpTrigger::enterEvent(QEnterEvent* e) {
    m_hovered = true;
    update();
    QWidget::enterEvent(e);
}

void PopUpTrigger::leaveEvent(QEvent* e) {
    m_hovered = false;
    update();
    QWidget::leaveEvent(e);
}

void PopUpTrigger::focusInEvent(QFocusEvent* e) {
    update();
    QWidget::focusInEvent(e);
}

void PopUpTrigger::focusOutEvent(QFocusEvent* e) {
    update();
    QWidget::focusOutEvent(e);
}

void PopUpTrigger::paintDisplayFrame(QPainter& p) const {
    const bool lit = isOpen() || m_hovered || hasFocus();
    const double penWidth = hasFocus() ? 2.0 : 1.5;
    const QRectF face = QRectF(rect()).adjusted(penWidth / 2, penWidth / 2, -penWidth / 2, -penWidth / 2);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(lit ? preset_style::teal() : preset_style::edge(), penWidth));
    p.setBrush(preset_style::display());
    p.drawRoundedRect(face, 6, 6);
}

}  // namespace quorvex
