#pragma once
#include "preset_record.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace quorvex {

inline constexpr const char* kPresetFileExtension = "kiro";

// A name from the pedal made safe as a file name: every byte that is not printable
// ASCII, and "/", becomes "_", so that a file never lands outside the chosen folder.
QString safeFileName(const std::string& text);

// The file an export proposes for one slot: the preset name (the list entry from its
// sixth character on) and ".kiro".
QString singleExportFileName(const QString& entry);
// A file of a several-slot export: the whole list entry ("002B:CLEAN") and ".kiro".
QString multiExportFileName(const QString& entry);
// "P<n>-<NAME>.kiro" with n = slot + 1, the name a batch import reads the slot from.
QString numberedFileName(int slot, const std::string& name);

// The type of the file system a folder lies on, as QStorageInfo names it ("ext4",
// "vfat", "exfat", "fuseblk", ...). Tests put in one of their own.
using FileSystemProbe = std::function<QByteArray(const QString& folder)>;
QByteArray fileSystemOf(const QString& folder);
// Whether names written there must keep to what FAT and exFAT accept (USB sticks). A
// FUSE file system is most often exFAT or NTFS, which refuse the same characters.
bool takesFatNamesOnly(const QByteArray& fileSystemType);
// The file name with each character FAT and exFAT refuse (" * / : < > ? \ |) as "_".
QString fatFileName(QString name);

// The slot a batch import writes a file into, read from the start of its base name
// ("P12-Abc-Def": slot 11), or nullopt when the name does not begin with P1- .. P200-.
std::optional<int> slotFromFileName(const QString& baseName);

// The preset name an imported file gets: the text after the first "-" when one is
// among the first six characters of the base name, else the whole base name.
QString importPresetName(const QString& baseName);

// The record with that name put through the naming rule into its name field.
PresetRecord recordNamedFromFile(const PresetRecord& record, const QString& baseName);

}  // namespace quorvex
