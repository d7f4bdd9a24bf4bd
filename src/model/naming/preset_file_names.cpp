#include "preset_file_names.h"

#include "yj_object_tool.h"

#include <QRegularExpression>
#include <QStorageInfo>

#include <algorithm>

namespace quorvex {

QString safeFileName(const std::string& text) {
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool printable = byte >= 0x20 && byte < 0x7F && c != '/';
        out.append(printable ? QChar(c) : QChar('_'));
    }
    // "." and ".." would name folders, not files.
    if (out == "." || out == "..") out.fill('_');
    return out;
}

QString singleExportFileName(const QString& entry) {
    return safeFileName(entry.mid(5).toStdString()) + "." + kPresetFileExtension;
}

QString multiExportFileName(const QString& entry) {
    return safeFileName(entry.toStdString()) + "." + kPresetFileExtension;
}

QString numberedFileName(int slot, const std::string& name) {
    // A "-" in the name would end the name part that an import reads back.
    QString safe = safeFileName(name);
    safe.replace('-', '_');
    return QStringLiteral("P%1-%2.%3").arg(slot + 1).arg(safe, kPresetFileExtension);
}

QByteArray fileSystemOf(const QString& folder) { return QStorageInfo(folder).fileSystemType(); }

bool takesFatNamesOnly(const QByteArray& fileSystemType) {
    const QByteArray type = fileSystemType.toLower();
    return type == "vfat" || type == "msdos" || type == "fat" || type == "exfat" || type.startsWith("fuse") ||
           type.startsWith("ntfs");
}

QString fatFileName(QString name) {
    for (QChar& c : name)
        if (QStringView(u"\"*/:<>?\\|").contains(c) || c.unicode() < 0x20) c = '_';
    return name;
}

std::optional<int> slotFromFileName(const QString& baseName) {
    static const QRegularExpression pattern(QStringLiteral(
        "\\AP(([1-9]-)|([1-9][0-9]-)|(1[0-9][0-9]-)|(200-))[0-9A-Za-z ]{0,19}"));
    if (!pattern.match(baseName).hasMatch()) return std::nullopt;
    return baseName.mid(1, baseName.indexOf('-') - 1).toInt() - 1;
}

QString importPresetName(const QString& baseName) {
    const qsizetype dash = baseName.indexOf('-');
    return dash >= 0 && dash < 6 ? baseName.mid(dash + 1) : baseName;
}

PresetRecord recordNamedFromFile(const PresetRecord& record, const QString& baseName) {
    std::array<std::uint8_t, kNameSize> name{};
    YJObjectTool::ChangePresetName(importPresetName(baseName).toStdString(), name);
    PresetRecord named = record;
    std::copy(name.begin(), name.end(), named.begin() + record::kName);
    return named;
}

}  // namespace quorvex
