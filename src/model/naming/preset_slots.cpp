#include "preset_slots.h"

#include "preset_record.h"

namespace quorvex {

QString bareLabel(int slot) { return QString::fromStdString(slotLabel(slot)); }

QStringList bareLabels() {
    QStringList labels;
    labels.reserve(kPresetCount);
    for (int slot = 0; slot < kPresetCount; ++slot) labels << bareLabel(slot);
    return labels;
}

QString entryName(const QString& entry) { return entry.mid(kEntryLabelLength); }

}  // namespace quorvex
