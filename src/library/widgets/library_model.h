#pragma once
#include <QStringListModel>

namespace quorvex {

class LibraryFolder;

// The preset files of the library folder by name. A file dragged out carries its path;
// a pedal row dropped here asks for the slot's export.
class LibraryModel : public QStringListModel {
    Q_OBJECT
public:
    LibraryModel(const LibraryFolder& folder, QObject* parent = nullptr);

    // Reads the folder again.
    void refresh();

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction | Qt::MoveAction; }
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent) override;

signals:
    // A pedal row was dropped into the library.
    void slotDropped(int slot);

private:
    const LibraryFolder& folder_;
};

}  // namespace quorvex
