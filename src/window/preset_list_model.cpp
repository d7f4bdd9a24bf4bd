#include "preset_list_model.h"

#include <QBrush>
#include <QPainter>

#include <algorithm>

#include "preset_screen_style.h"
#include "preset_slots.h"

namespace quorvex {

PresetListModel::PresetListModel(std::function<bool()> edited, QObject* parent)
    : QAbstractListModel(parent), m_entries(bareLabels()), m_edited(std::move(edited)) {}

int PresetListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

bool PresetListModel::showsMark(int row) const { return row == m_selectedCell && m_edited && m_edited(); }

QVariant PresetListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int row = index.row();
    const bool selected = row == m_selectedCell;
    switch (role) {
        case Qt::DisplayRole:
            return m_entries[row];
        case Qt::BackgroundRole:
            return QBrush(selected ? preset_style::selectedRow() : preset_style::rowBackground());
        case Qt::ForegroundRole:
            return QBrush(selected ? preset_style::selectedRowText() : preset_style::rowText());
        case EditedMarkRole:
            return showsMark(row) ? QStringLiteral("*") : QString();
        case IsSelectedCellRole:
            return selected;
        case Qt::AccessibleTextRole:
            return showsMark(row) ? m_entries[row] + QStringLiteral(" *") : m_entries[row];
        case Qt::AccessibleDescriptionRole:
            if (!selected)
                return QString();
            return showsMark(row) ? QStringLiteral("current preset, edited") : QStringLiteral("current preset");
        default:
            return {};
    }
}

QString PresetListModel::entry(int row) const { return isValidSlot(row) ? m_entries[row] : QString(); }

void PresetListModel::setEntries(const QStringList& entries) {
    const qsizetype n = std::min(entries.size(), m_entries.size());
    for (qsizetype i = 0; i < n; ++i) m_entries[i] = entries[i];
    reload();
}

void PresetListModel::setEntry(int row, const QString& entry) {
    if (!isValidSlot(row))
        return;
    m_entries[row] = entry;
    const QModelIndex i = index(row);
    emit dataChanged(i, i);
}

void PresetListModel::setSelectedCell(int row) {
    if (!isValidSlot(row) || row == m_selectedCell)
        return;
    const int old = m_selectedCell;
    m_selectedCell = row;
    emit dataChanged(index(old), index(old));
    emit dataChanged(index(row), index(row));
}

void PresetListModel::reload() { emit dataChanged(index(0), index(rowCount() - 1)); }

void TvTabelCellView::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const QRect r = option.rect;
    const bool selected = index.data(PresetListModel::IsSelectedCellRole).toBool();
    QColor background = index.data(Qt::BackgroundRole).value<QBrush>().color();
    // A faint lift under the pointer for the rows that are not current.
    if (!selected && (option.state & QStyle::State_MouseOver))
        background = QColor(0x10, 0x2a, 0x26);

    p->save();
    p->fillRect(r, background);

    // A hairline between rows keeps the black list readable.
    if (!selected) {
        p->setPen(QColor(0x1c, 0x21, 0x25));
        p->drawLine(r.left() + 10, r.bottom(), r.right() - 10, r.bottom());
    }

    const QColor fg = index.data(Qt::ForegroundRole).value<QBrush>().color();
    p->setPen(fg);
    // Long names get slightly smaller type before they are cut short.
    const QRect title = r.adjusted(12, 0, -28, 0);
    const QString text = index.data(Qt::DisplayRole).toString();
    const QFont::Weight weight = selected ? QFont::Bold : QFont::DemiBold;
    int size = 15;
    while (size > 12 && QFontMetrics(preset_style::font(size, weight)).horizontalAdvance(text) > title.width()) --size;
    p->setFont(preset_style::font(size, weight));
    p->drawText(title, Qt::AlignVCenter | Qt::AlignLeft,
                p->fontMetrics().elidedText(text, Qt::ElideRight, title.width()));

    const QString mark = index.data(PresetListModel::EditedMarkRole).toString();
    if (!mark.isEmpty()) {
        p->setFont(preset_style::font(22, QFont::Bold));
        p->drawText(r.adjusted(0, 0, -10, 0), Qt::AlignVCenter | Qt::AlignRight, mark);
    }

    // The keyboard's row: an outline in the row's text colour.
    if (option.state & QStyle::State_HasFocus) {
        QPen pen(selected ? preset_style::selectedRowText() : preset_style::teal(), 1.0, Qt::DashLine);
        p->setPen(pen);
        p->setBrush(Qt::NoBrush);
        p->drawRect(r.adjusted(2, 2, -3, -3));
    }
    p->restore();
}

QSize TvTabelCellView::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), kRowHeight};
}

}  // namespace quorvex
