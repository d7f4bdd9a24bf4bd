#include "preset_import.h"

#include "preset_file_names.h"
#include "save_bytes.h"
#include "yj_preset_file.h"

#include <QFileInfo>

namespace quorvex {

ImportPlan readImportFiles(const QStringList& paths) {
    ImportPlan plan;
    const bool batch = paths.size() > 1;
    for (const QString& path : paths) {
        ImportFile file;
        file.path = path;
        file.baseName = QFileInfo(path).completeBaseName();
        const QString shown = QFileInfo(path).fileName();
        if (batch) {
            const auto slot = slotFromFileName(file.baseName);
            if (!slot) {
                plan.error = QStringLiteral("\"%1\" was not imported: its name must begin with P1- to P200-, the slot "
                                            "it goes into (for example P12-CLEAN.kiro).")
                                 .arg(shown);
                plan.files.clear();
                return plan;
            }
            file.slot = *slot;
        }
        YJPresetFile preset;
        std::int32_t error = YJPresetFile::kNoError;
        if (!preset.ReadFileToPresetPath(path, error) || !preset.ReadPresetBufferPresetData(file.record.data(), kRecordSize)) {
            plan.error = QStringLiteral("\"%1\" was not imported: %2.").arg(shown, presetFileErrorText(error));
            plan.files.clear();
            return plan;
        }
        plan.files.push_back(file);
    }
    return plan;
}

QString writeExportFiles(const std::vector<ExportFile>& files) {
    for (const ExportFile& file : files) {
        QString reason;
        if (!YJPresetInOut::ExportPresetFilePath(file.path, file.record.data(), kRecordSize, nullptr, &reason))
            return QStringLiteral("\"%1\" could not be written: %2.").arg(file.path, reason);
    }
    return {};
}

QString missingPresetsRefusal(const std::vector<int>& missing, const QString& what) {
    if (missing.empty()) return {};
    QStringList labels;
    for (const int slot : missing) labels << QString::fromStdString(slotLabel(slot));
    return QStringLiteral("%1 is not possible: these presets never arrived from the pedal: %2. Start the program "
                          "again to load them once more.")
        .arg(what, labels.join(", "));
}

}  // namespace quorvex
