#pragma once
#include <QAbstractListModel>
#include <QStringList>
#include <QStyledItemDelegate>

#include <functional>

namespace quorvex {

// The 300 entries of the preset list. The current row (selectedCell) and the edited
// mark are part of what each row reports, so every view draws them the same way:
// display text is the entry, the colour roles give the row's look, EditedMarkRole
// gives the "*" shown at the right of the current row while the preset is edited.
class PresetListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        EditedMarkRole = Qt::UserRole + 1,  // "*" or empty
        IsSelectedCellRole,                 // bool
    };

    // edited reads the hub's edited flag each time a row is drawn.
    explicit PresetListModel(std::function<bool()> edited, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    const QStringList& entries() const { return m_entries; }
    QString entry(int row) const;
    void setEntries(const QStringList& entries);
    void setEntry(int row, const QString& entry);

    int selectedCell() const { return m_selectedCell; }
    void setSelectedCell(int row);

    // Every row is asked again (for the edited mark).
    void reload();

private:
    bool showsMark(int row) const;

    QStringList m_entries;
    int m_selectedCell = 0;
    std::function<bool()> m_edited;
};

// Draws one row as a cell: the entry as its title on the left, the edited mark on
// the right, in the colours the model gives.
class TvTabelCellView : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 40;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace quorvex
