#include "library_folder.h"

#include "preset_file_names.h"
#include "preset_import.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace quorvex {
namespace {

constexpr const char* kFolderKey = "library/folder";

}  // namespace

LibraryFolder::LibraryFolder() : path_(QSettings().value(kFolderKey, defaultPath()).toString()) {}

QString LibraryFolder::defaultPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(QStringLiteral("QUORVEX III"));
}

void LibraryFolder::choose(const QString& path) {
    path_ = path;
    QSettings().setValue(kFolderKey, path);
}

QStringList LibraryFolder::fileNames() const {
    return QDir(path_).entryList({QStringLiteral("*.") + kPresetFileExtension}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

QString LibraryFolder::filePath(const QString& fileName) const { return QDir(path_).filePath(fileName); }

QString LibraryFolder::exportRecord(const std::string& displayText, const PresetRecord& record, QString& reason) const {
    if (!QDir().mkpath(path_)) {
        reason = QStringLiteral("The folder %1 could not be created.").arg(path_);
        return {};
    }
    QString name = singleExportFileName(QString::fromStdString(displayText));
    if (takesFatNamesOnly(fileSystemOf(path_))) name = fatFileName(name);
    const QString stem = QFileInfo(name).completeBaseName();
    QString path = filePath(name);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = filePath(QStringLiteral("%1 (%2).%3").arg(stem).arg(n).arg(kPresetFileExtension));
    reason = writeExportFiles({{path, record}});
    return reason.isEmpty() ? path : QString();
}

}  // namespace quorvex
