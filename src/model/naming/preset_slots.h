#pragma once
#include <QString>
#include <QStringList>

namespace quorvex {

inline constexpr int kPresetCount = 300;
// An entry is "001A:NAME": the bank label and the colon are always five characters.
inline constexpr int kEntryLabelLength = 5;

inline bool isValidSlot(int slot) { return slot >= 0 && slot < kPresetCount; }

// "001A" .. "100C": bank slot / 3 + 1, letter A, B or C for slot mod 3.
QString bareLabel(int slot);
// The 300 bare labels, in slot order.
QStringList bareLabels();
// The name part of an entry: everything from character 5 on (empty for a bare label).
QString entryName(const QString& entry);

}  // namespace quorvex
