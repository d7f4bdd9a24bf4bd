#pragma once
#include "preset_record.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace quorvex {

// One preset file read for an import: its record and the slot its name gives.
struct ImportFile {
    QString path;
    QString baseName;  // the file name without folder and extension
    PresetRecord record{};
    int slot = -1;     // for a batch: from the "P<n>-" name
};

// The files of an import, all read and checked before anything goes to the pedal; on
// the first refused file, error names it and says why (and files is empty).
struct ImportPlan {
    std::vector<ImportFile> files;
    QString error;
};

// One file becomes the current sound; several files each go into the slot their name
// gives (which must then begin with P1- .. P200-).
ImportPlan readImportFiles(const QStringList& paths);

// One export file: where it goes and what it holds.
struct ExportFile {
    QString path;
    PresetRecord record{};
};
// Writes each file whole (or not at all); stops at the first failure and returns a
// message naming the file and the reason, or an empty text after success.
QString writeExportFiles(const std::vector<ExportFile>& files);

// Refuses to export or back up presets that never arrived from the pedal: the text
// names them, or is empty when all arrived.
QString missingPresetsRefusal(const std::vector<int>& missing, const QString& what);

}  // namespace quorvex
