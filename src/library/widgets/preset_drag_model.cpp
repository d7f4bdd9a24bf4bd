#include "preset_drag_model.h"

#include "preset_file_names.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace quorvex {
namespace {

QString droppedFile(const QMimeData* data) {
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).suffix().compare(kPresetFileExtension, Qt::CaseInsensitive) == 0)
            return url.toLocalFile();
    return {};
}

}  // namespace

Qt::ItemFlags PresetDragModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags base = QSortFilterProxyModel::flags(index);
    return index.isValid() ? base | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled : base;
}

QStringList PresetDragModel::mimeTypes() const { return {kSlotMimeType, QStringLiteral("text/uri-list")}; }

QMimeData* PresetDragModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.isEmpty()) return nullptr;
    auto* data = new QMimeData;
    data->setData(kSlotMimeType, QByteArray::number(mapToSource(indexes.front()).row()));
    return data;
}

int PresetDragModel::draggedSlot(const QMimeData* data) {
    bool ok = false;
    const int slot = data && data->hasFormat(kSlotMimeType) ? data->data(kSlotMimeType).toInt(&ok) : -1;
    return ok ? slot : -1;
}

int PresetDragModel::targetSlot(int row, const QModelIndex& parent) const {
    const QModelIndex target = parent.isValid() ? parent : index(row, 0);
    return target.isValid() ? mapToSource(target).row() : -1;
}

bool PresetDragModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                      const QModelIndex& parent) const {
    if (targetSlot(row, parent) < 0 || (action != Qt::MoveAction && action != Qt::CopyAction)) return false;
    return draggedSlot(data) >= 0 || !droppedFile(data).isEmpty();
}

bool PresetDragModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                   const QModelIndex& parent) {
    if (!canDropMimeData(data, action, row, column, parent)) return false;
    const int to = targetSlot(row, parent);
    if (const int from = draggedSlot(data); from >= 0) {
        if (from != to) emit slotDropped(from, to, action == Qt::CopyAction);
    } else {
        emit fileDropped(droppedFile(data), to);
    }
    // The rows change when the pedal has confirmed, not through the view's move.
    return false;
}

}  // namespace quorvex
