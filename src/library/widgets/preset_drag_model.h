#pragma once
#include <QSortFilterProxyModel>

namespace quorvex {

// The preset list as the librarian's list shows it: filtered by the search field, rows
// that can be dragged onto one another, and preset files that can be dropped on a row.
// A drop is told by a signal; the slots change only once the pedal confirms.
class PresetDragModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    // What a dragged pedal row carries: its slot number as text.
    static constexpr const char* kSlotMimeType = "application/x-quorvex-slot";

    using QSortFilterProxyModel::QSortFilterProxyModel;

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::MoveAction | Qt::CopyAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction | Qt::CopyAction; }
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent) override;

    // The slot of a dragged row, or -1.
    static int draggedSlot(const QMimeData* data);

signals:
    // A row was dropped on the row of slot `to`: moved there (the slots between shift by
    // one) or, with Ctrl held, copied over it.
    void slotDropped(int from, int to, bool copy);
    // A preset file was dropped on the row of slot `to`.
    void fileDropped(const QString& path, int to);

private:
    int targetSlot(int row, const QModelIndex& parent) const;
};

}  // namespace quorvex
