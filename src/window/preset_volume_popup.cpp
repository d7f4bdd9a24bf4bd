#include "control_accessibility.h"
#include "preset_volume_popup.h"

#include <QAccessible>
#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "g_slider.h"
#include "preset_screen_style.h"

namespace quorvex {

PresetVolumeReadout::PresetVolumeReadout(QWidget* parent) : PopUpTrigger(parent) {
    setObjectName("presetVolue");
    setAccessibleName("presetVolue");
    setAccessibleDescription("Preset volume");
    setToolTip("Preset volume: click to adjust");
    setMinimumSize(64, 36);
}

void PresetVolumeReadout::setOpen(bool open) {
    if (open == m_open)
        return;
    m_open = open;
    update();
    ui::announceExpandedChange(this);
}

void PresetVolumeReadout::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintDisplayFrame(p);
    p.setPen(preset_style::teal());
    p.setFont(preset_style::font(22, QFont::Bold));
    p.drawText(rect().adjusted(0, 0, -6, 0), Qt::AlignCenter, text());

    // A small corner notch hints that the read-out opens something.
    const double s = 6.0;
    const QPointF corner(width() - 6.0, height() - 6.0);
    const QPointF notch[3] = {corner, corner - QPointF(s, 0), corner - QPointF(0, s)};
    p.setPen(Qt::NoPen);
    p.setBrush(isOpen() ? preset_style::teal() : preset_style::dimText());
    p.drawPolygon(notch, 3);
}

PresetVolumePopup::PresetVolumePopup(QWidget* parent) : QFrame(parent) {
    setObjectName("PresetVoluePopView");
    setAccessibleName("PresetVoluePopView");
    setAccessibleDescription("Preset volume");
    setFixedSize(286, 92);
    setAutoFillBackground(false);
    setStyleSheet(QStringLiteral("#PresetVoluePopView { background: %1; border: 2px solid %2; border-radius: 8px; }"
                                 "QLabel { color: %3; background: transparent; }")
                      .arg(preset_style::hex(preset_style::panel()), preset_style::hex(preset_style::teal()),
                           preset_style::hex(preset_style::dimText())));

    auto* caption = new QLabel("PRESET VOLUME", this);
    caption->setFont(preset_style::captionFont());

    m_slider = new ui::GSlider(this);
    m_slider->setObjectName("PresetVolueSlider");
    m_slider->setAccessibleName("PresetVolueSlider");
    m_slider->setFixedHeight(26);
    m_slider->setTintColor(preset_style::edge());
    m_slider->setFillColor(preset_style::teal());

    auto* low = new QLabel("0", this);
    auto* high = new QLabel("100", this);
    low->setFont(preset_style::font(11));
    high->setFont(preset_style::font(11));

    auto* scale = new QHBoxLayout;
    scale->setContentsMargins(0, 0, 0, 0);
    scale->addWidget(low);
    scale->addStretch(1);
    scale->addWidget(high);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 10, 16, 8);
    column->setSpacing(6);
    column->addWidget(caption);
    column->addWidget(m_slider);
    column->addLayout(scale);

    auto* shadow = new QGraphicsDropShadowEffect(this);
    shadow->setBlurRadius(24);
    shadow->setOffset(0, 6);
    shadow->setColor(QColor(0, 0, 0, 170));
    setGraphicsEffect(shadow);
}

void PresetVolumePopup::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        emit closeRequested();
        return;
    }
    QFrame::keyPressEvent(e);
}

}  // namespace quorvex
