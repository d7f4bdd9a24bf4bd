#include "g_pop_up_button.h"

#include <QAccessible>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QToolButton>

#include "control_accessibility.h"
#include "control_palette.h"

namespace quorvex::ui {

namespace {
const char* const kAddName = "slotAdd";
const char* const kDeleteName = "slotDelete";
constexpr int kMinListWidth = 160;
}  // namespace

GPopUpButton::GPopUpButton(QWidget* parent) : QWidget(parent) {
    installControlAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    QFont labelFont(QStringLiteral("Arial"));
    labelFont.setBold(true);
    labelFont.setPixelSize(15);
    setFont(labelFont);

    // A popup window: it takes the pointer while open, and a press in any other
    // window closes it. No replay, so that press is swallowed rather than also
    // reaching whatever lies under the pointer (or reopening this list).
    m_listWindow = new QFrame(this, Qt::Popup);
    m_listWindow->setAttribute(Qt::WA_NoMouseReplay);
    m_listWindow->setFrameShape(QFrame::NoFrame);
    m_listWindow->setStyleSheet(
        QStringLiteral("QListWidget { background: %1; color: %2; border: none; outline: none; }"
                       "QListWidget::item:selected { background: %3; color: %1; }"
                       "QToolButton { color: %2; background: %4; border: 1px solid %3;"
                       " min-width: 16px; max-height: 16px; padding: 0; }"
                       "QScrollBar:vertical { background: %1; width: 10px; margin: 0; }"
                       "QScrollBar::handle:vertical { background: %4; min-height: 24px; border-radius: 4px; }"
                       "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
                       "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }")
            .arg(palette::stage().name(), palette::text().name(), palette::teal().name(),
                 palette::outline().name()));
    m_list = new QListWidget(m_listWindow);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setUniformItemSizes(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);

    connect(m_list, &QListWidget::clicked, this, [this](const QModelIndex& index) { rowChosen(index.row()); });
    m_list->installEventFilter(this);
    m_listWindow->installEventFilter(this);
}

QString GPopUpButton::displayName(const QString* name) {
    if (name == nullptr || name->isEmpty() || *name == u"(null)")
        return QStringLiteral("EMPTY");
    return *name;
}

QString GPopUpButton::rowText(qint64 row) const {
    const QString* name = (row >= 0 && row < m_dataArray.size()) ? &m_dataArray[row] : nullptr;
    return QStringLiteral("%1 %2").arg(row + 1).arg(displayName(name));
}

int GPopUpButton::listHeightForRows(qsizetype rows) {
    return rows <= kMaxRowsShown ? int(rows) * kRowHeight : kScrollingHeight;
}

void GPopUpButton::setDataArray(const QStringList& rows) {
    m_dataArray = rows;
    m_itemLabel = (m_indexNumber >= 0 && m_indexNumber < m_dataArray.size()) ? m_dataArray[m_indexNumber] : QString();
    rebuildRows();
    m_listWindow->resize(std::max(width(), kMinListWidth), listHeightForRows(m_dataArray.size()));
    update();
    QAccessibleValueChangeEvent event(this, m_itemLabel);
    QAccessible::updateAccessibility(&event);
}

void GPopUpButton::setIndexNumber(qint64 r) {
    m_indexNumber = r;
    const QString* name = (r >= 0 && r < m_dataArray.size()) ? &m_dataArray[r] : nullptr;
    m_itemLabel = displayName(name);
    if (name != nullptr)
        m_list->setCurrentRow(int(r));
    else
        m_list->setCurrentRow(-1);
    update();
    QAccessibleValueChangeEvent event(this, m_itemLabel);
    QAccessible::updateAccessibility(&event);
}

// 20 and 30 are the answers of slot-editing mode, so the buttons stay while the owner
// handles them and no row is rebuilt under the button that was just pressed.
bool GPopUpButton::slotButtonsShown() const {
    return m_cabAddDelete == kSlotMode || m_cabAddDelete == kSlotAdd || m_cabAddDelete == kSlotDelete;
}

void GPopUpButton::setCabAddDelete(qint64 mode) {
    const bool before = slotButtonsShown();
    m_cabAddDelete = mode;
    if (slotButtonsShown() != before)
        rebuildRows();
}

void GPopUpButton::rebuildRows() {
    m_list->clear();
    for (qsizetype row = 0; row < m_dataArray.size(); ++row) {
        auto* item = new QListWidgetItem(rowText(row), m_list);
        item->setSizeHint(QSize(0, kRowHeight));
        if (!slotButtonsShown() || row < kFirstSlotRow)
            continue;
        // The row widget ignores presses outside its buttons, so those fall through to
        // the list and pick the row as on any other row.
        auto* holder = new QWidget;
        auto* box = new QHBoxLayout(holder);
        box->setContentsMargins(0, 1, 4, 1);
        box->setSpacing(3);
        box->addStretch();
        const int r = int(row);
        for (const bool add : {true, false}) {
            auto* button = new QToolButton(holder);
            button->setText(add ? QStringLiteral("+") : QStringLiteral("-"));
            button->setObjectName(QLatin1String(add ? kAddName : kDeleteName));
            button->setAccessibleDescription(rowText(row));
            button->setFocusPolicy(Qt::NoFocus);
            button->setEnabled(add || m_slotDeleteEnabled);
            box->addWidget(button);
            connect(button, &QToolButton::clicked, this,
                    [this, r, add] { slotButtonPressed(r, add ? kSlotAdd : kSlotDelete); });
        }
        m_list->setItemWidget(item, holder);
    }
    if (m_indexNumber >= 0 && m_indexNumber < m_dataArray.size())
        m_list->setCurrentRow(int(m_indexNumber));
}

QWidget* GPopUpButton::slotButton(int row, bool add) const {
    QListWidgetItem* item = m_list->item(row);
    QWidget* holder = item != nullptr ? m_list->itemWidget(item) : nullptr;
    return holder != nullptr ? holder->findChild<QToolButton*>(QLatin1String(add ? kAddName : kDeleteName)) : nullptr;
}

void GPopUpButton::setSlotDeleteEnabled(bool enabled) {
    m_slotDeleteEnabled = enabled;
    for (int row = 0; row < m_list->count(); ++row) {
        if (QWidget* button = slotButton(row, false))
            button->setEnabled(enabled);
    }
}

void GPopUpButton::rowChosen(int row) {
    if (row < 0)
        return;
    hideList();
    setIndexNumber(row);
    scheduleAction();
}

void GPopUpButton::slotButtonPressed(int row, qint64 mode) {
    m_cabAddDelete = mode;
    m_indexNumberCABOperate = row;
    scheduleAction();
}

void GPopUpButton::scheduleAction() {
    QMetaObject::invokeMethod(this, [this] { emit action(this); }, Qt::QueuedConnection);
}

void GPopUpButton::showList() {
    if (m_isShow || m_dataArray.isEmpty())
        return;
    const QSize size(std::max(width(), kMinListWidth), listHeightForRows(m_dataArray.size()));
    QPoint at = mapToGlobal(QPoint(0, height()));
    // Open above the button when there is no room below it.
    if (const QScreen* s = screen()) {
        const QRect room = s->availableGeometry();
        if (at.y() + size.height() > room.bottom() && mapToGlobal(QPoint(0, 0)).y() - size.height() >= room.top())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - size.height());
    }
    m_listWindow->setGeometry(QRect(at, size));
    if (m_indexNumber >= 0 && m_indexNumber < m_dataArray.size()) {
        m_list->setCurrentRow(int(m_indexNumber));
        m_list->scrollToItem(m_list->currentItem(), QAbstractItemView::PositionAtCenter);
    }
    m_listWindow->show();
    m_list->setFocus(Qt::PopupFocusReason);
}

void GPopUpButton::hideList() { m_listWindow->hide(); }

void GPopUpButton::toggleList() {
    if (m_isShow)
        hideList();
    else
        showList();
}

void GPopUpButton::setShown(bool shown) {
    if (shown == m_isShow)
        return;
    m_isShow = shown;
    update();
    announceExpandedChange(this);
}

bool GPopUpButton::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_listWindow) {
        if (event->type() == QEvent::Show)
            setShown(true);
        else if (event->type() == QEvent::Hide)
            setShown(false);
        else if (event->type() == QEvent::Resize)
            // Placed by hand, not by a layout: a layout would hold the list to its
            // minimum size hint, taller than a short list of 20-point rows.
            m_list->setGeometry(m_listWindow->rect());
    } else if (watched == m_list && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            rowChosen(m_list->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void GPopUpButton::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) {
        e->ignore();
        return;
    }
    toggleList();
}

void GPopUpButton::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
    case Qt::Key_F4: toggleList(); break;
    default: QWidget::keyPressEvent(e);
    }
}

void GPopUpButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(m_isShow || hasFocus() ? palette::teal() : palette::outline(), 1.0));
    p.setBrush(palette::stage());
    p.drawRoundedRect(box, 3, 3);

    const double h = height();
    const double arrowW = std::min(10.0, h / 2.0);
    const QRectF textRect = box.adjusted(8, 0, -(arrowW + 14), 0);
    p.setPen(palette::text());
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
               fontMetrics().elidedText(m_itemLabel, Qt::ElideRight, int(textRect.width())));

    // The arrow points the way the list will move: down to open, up to close.
    const double cx = box.right() - 8 - arrowW / 2.0;
    const double cy = h / 2.0;
    const double dy = m_isShow ? -arrowW / 3.0 : arrowW / 3.0;
    QPainterPath arrow;
    arrow.moveTo(cx - arrowW / 2.0, cy - dy);
    arrow.lineTo(cx + arrowW / 2.0, cy - dy);
    arrow.lineTo(cx, cy + dy);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(palette::teal());
    p.drawPath(arrow);
}

}  // namespace quorvex::ui
