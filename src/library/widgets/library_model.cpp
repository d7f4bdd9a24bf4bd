#include "library_model.h"

#include "library_folder.h"
#include "preset_drag_model.h"

#include <QMimeData>
#include <QUrl>

namespace quorvex {

LibraryModel::LibraryModel(const LibraryFolder& folder, QObject* parent) : QStringListModel(parent), folder_(folder) {
    refresh();
}

void LibraryModel::refresh() {
    const QStringList names = folder_.fileNames();
    if (names != stringList()) setStringList(names);
}

Qt::ItemFlags LibraryModel::flags(const QModelIndex& index) const {
    // Rows are not edited here; a drop may land anywhere in the list.
    const Qt::ItemFlags base = (QStringListModel::flags(index) & ~Qt::ItemIsEditable) | Qt::ItemIsDropEnabled;
    return index.isValid() ? base | Qt::ItemIsDragEnabled : base;
}

QStringList LibraryModel::mimeTypes() const { return {PresetDragModel::kSlotMimeType, QStringLiteral("text/uri-list")}; }

QMimeData* LibraryModel::mimeData(const QModelIndexList& indexes) const {
    QList<QUrl> urls;
    for (const QModelIndex& index : indexes) urls << QUrl::fromLocalFile(folder_.filePath(index.data().toString()));
    auto* data = new QMimeData;
    data->setUrls(urls);
    return data;
}

bool LibraryModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int, const QModelIndex&) const {
    return PresetDragModel::draggedSlot(data) >= 0;
}

bool LibraryModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column, const QModelIndex& parent) {
    if (!canDropMimeData(data, action, row, column, parent)) return false;
    emit slotDropped(PresetDragModel::draggedSlot(data));
    return false;  // the folder is read again once the file is written
}

}  // namespace quorvex
