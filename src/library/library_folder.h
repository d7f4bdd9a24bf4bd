#pragma once
#include "preset_record.h"

#include <QString>
#include <QStringList>

namespace quorvex {

// The folder of preset files the librarian shows: a "QUORVEX III" folder in the
// documents folder unless the user chose another (kept in the settings).
class LibraryFolder {
public:
    // The folder the user chose last.
    LibraryFolder();
    // A given folder, the settings left alone until choose().
    explicit LibraryFolder(QString path) : path_(std::move(path)) {}

    const QString& path() const { return path_; }
    // Takes another folder and remembers it for the next start.
    void choose(const QString& path);

    // The preset files in the folder, by name.
    QStringList fileNames() const;
    QString filePath(const QString& fileName) const;

    // Exports a slot's record into the folder under the preset's name (with a number
    // added when the name is taken, so that no file is written over), in names a FAT
    // stick takes where the folder lies on one. Returns the path written, or an empty
    // text and the reason.
    QString exportRecord(const std::string& displayText, const PresetRecord& record, QString& reason) const;

    static QString defaultPath();

private:
    QString path_;
};

}  // namespace quorvex
