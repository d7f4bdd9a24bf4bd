#include "chain_block.h"

#include <QAccessible>
#include <QApplication>
#include <QDrag>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMimeData>
#include <QPainter>

#include "parameter_blocks.h"
#include "preset_accessibility.h"
#include "preset_screen_style.h"

namespace quorvex {

namespace {

constexpr double kCornerRadius = 12.0;

// The border a block shows while a dragged block hovers over it: RGB (0, 0.9, 0.76).
QColor hoverBorder() { return QColor::fromRgbF(0.0f, 0.9f, 0.76f); }

}  // namespace

ModleView::ModleView(int index, QWidget* parent) : QWidget(parent), index_(index), module_(index) {
    installPresetAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(minimumSizeHint());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleDescription(QStringLiteral("Place %1 of the effect chain").arg(index + 1));
    setModule(module_);
}

QString ModleView::caption() const {
    if (module_ < 0 || module_ >= kModuleCount)
        return {};
    return QString::fromLatin1(moduleName(static_cast<Module>(module_)));
}

void ModleView::setModule(int module) {
    module_ = module;
    setAccessibleName(caption());
    setToolTip(QStringLiteral("%1: click to edit, click again to switch on or off, drag to move").arg(caption()));
    update();
}

void ModleView::setModeOpen(bool on) {
    QAccessible::State checked;
    checked.checked = true;
    changeFlag(isModeOpen_, on, checked);
}

void ModleView::setSelect(bool selected) {
    QAccessible::State selection;
    selection.selected = true;
    changeFlag(isSelectMode_, selected, selection);
}

void ModleView::changeFlag(bool& flag, bool value, QAccessible::State changed) {
    if (flag == value)
        return;
    flag = value;
    update();
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void ModleView::setEnterMode(bool hovering) {
    if (hovering == isEnterMode_)
        return;
    isEnterMode_ = hovering;
    update();
}

QByteArray ModleView::chainMark() const {
    return QByteArray::number(QCoreApplication::applicationPid()) + '/' +
           QByteArray::number(reinterpret_cast<quintptr>(parentWidget()), 16);
}

QMimeData* ModleView::dragData() const {
    auto* mime = new QMimeData;
    mime->setData(QString::fromLatin1(kMimeType), chainMark() + ':' + QByteArray::number(index_));
    return mime;
}

int ModleView::sourceIndex(const QMimeData* mime) const {
    if (mime == nullptr || !mime->hasFormat(QString::fromLatin1(kMimeType)))
        return -1;
    const QByteArray payload = mime->data(QString::fromLatin1(kMimeType));
    const qsizetype colon = payload.lastIndexOf(':');
    if (colon < 0 || payload.left(colon) != chainMark())
        return -1;
    bool ok = false;
    const int index = payload.mid(colon + 1).toInt(&ok);
    return ok ? index : -1;
}

// Mouse: a press released in place is a click; moved far enough it becomes a drag.

void ModleView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressed_ = true;
    pressPos_ = event->position().toPoint();
}

void ModleView::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_ || (event->position().toPoint() - pressPos_).manhattanLength() < QApplication::startDragDistance())
        return;
    pressed_ = false;
    startDrag();
}

void ModleView::mouseReleaseEvent(QMouseEvent* event) {
    const bool inPlace = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (inPlace)
        click();
}

void ModleView::startDrag() {
    // The drag shows the block itself under the pointer.
    auto* drag = new QDrag(this);
    drag->setMimeData(dragData());
    drag->setPixmap(grab());
    drag->setHotSpot(pressPos_);
    drag->exec(Qt::MoveAction);
}

void ModleView::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!event->isAutoRepeat())
                click();
            return;
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (ctrl) {
                emit moveRequested(index_, event->key() == Qt::Key_Left ? -1 : 1);
                return;
            }
            break;
        default:
            break;
    }
    QWidget::keyPressEvent(event);
}

// Drops: only another block of the same chain is taken.

void ModleView::dragEnterEvent(QDragEnterEvent* event) {
    const int source = sourceIndex(event->mimeData());
    if (source < 0 || source == index_) {
        event->ignore();
        return;
    }
    setEnterMode(true);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void ModleView::dragLeaveEvent(QDragLeaveEvent*) { setEnterMode(false); }

void ModleView::leaveEvent(QEvent*) { setEnterMode(false); }

void ModleView::dropEvent(QDropEvent* event) {
    setEnterMode(false);
    const int source = sourceIndex(event->mimeData());
    if (source < 0 || source == index_) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    emit DropAction(source, index_);
}

void ModleView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plate = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);

    // The body: a raised plate, lit from within while its panel is shown.
    QLinearGradient body(plate.topLeft(), plate.bottomLeft());
    if (isSelectMode_) {
        body.setColorAt(0.0, preset_style::teal().darker(260));
        body.setColorAt(1.0, preset_style::teal().darker(420));
    } else {
        body.setColorAt(0.0, preset_style::panel().lighter(125));
        body.setColorAt(1.0, preset_style::display());
    }
    QPen border(preset_style::edge(), 1.0);
    if (isSelectMode_)
        border = QPen(preset_style::teal(), 2.0);
    else if (isEnterMode_)
        border = QPen(hoverBorder(), 2.0, Qt::DashLine);
    p.setPen(border);
    p.setBrush(body);
    p.drawRoundedRect(plate, kCornerRadius, kCornerRadius);

    // The on lamp: a short bar along the top edge, glowing while the module is on.
    const QRectF bar(plate.center().x() - plate.width() * 0.22, plate.top() + 10, plate.width() * 0.44, 5);
    if (isModeOpen_) {
        QColor glow = preset_style::teal();
        glow.setAlpha(70);
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawRoundedRect(bar.adjusted(-4, -3, 4, 3), 5, 5);
        p.setBrush(preset_style::teal());
    } else {
        p.setPen(QPen(preset_style::edge(), 1.0));
        p.setBrush(preset_style::unlit());
    }
    p.drawRoundedRect(bar, 2.5, 2.5);

    // The module's caption, bright while it is on.
    p.setPen(isModeOpen_ ? preset_style::text() : preset_style::dimText());
    // Narrow blocks (a small window, a wide preset side) take smaller type rather than
    // cutting "FX/COMP" or "REVERB" short.
    const QRectF captionBox = plate.adjusted(4, 8, -4, -8);
    QFont captionFont = preset_style::font(14, QFont::Bold);
    while (captionFont.pixelSize() > 9 && QFontMetricsF(captionFont).horizontalAdvance(caption()) > captionBox.width())
        captionFont.setPixelSize(captionFont.pixelSize() - 1);
    p.setFont(captionFont);
    p.drawText(captionBox, Qt::AlignCenter, caption());

    // The place in the chain and the module's state, small along the bottom.
    p.setFont(preset_style::font(10, QFont::DemiBold));
    const QRectF foot = plate.adjusted(10, 0, -10, -7);
    p.setPen(preset_style::dimText());
    p.drawText(foot, Qt::AlignLeft | Qt::AlignBottom, QString::number(index_ + 1));
    p.setPen(isModeOpen_ ? preset_style::teal() : preset_style::dimText());
    p.drawText(foot, Qt::AlignRight | Qt::AlignBottom, isModeOpen_ ? QStringLiteral("ON") : QStringLiteral("OFF"));

    if (hasFocus()) {
        p.setPen(QPen(preset_style::text(), 1.0, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(plate.adjusted(4, 4, -4, -4), kCornerRadius - 4, kCornerRadius - 4);
    }
}

}  // namespace quorvex
