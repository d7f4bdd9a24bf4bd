#include "file_chooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace quorvex {
namespace {

constexpr const char* kLastFolderKey = "files/lastFolder";

// ~/.config/quorvex/quorvex-editor.conf, whatever the application calls itself.
QSettings settings() { return QSettings(QStringLiteral("quorvex"), QStringLiteral("quorvex-editor")); }
const QString kMessage = QStringLiteral("Choose the path to creat the document");

}  // namespace

QString DialogFileChooser::startFolder() {
    const QString last = settings().value(kLastFolderKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

void DialogFileChooser::rememberFolder(const QString& folder) {
    if (!folder.isEmpty()) settings().setValue(kLastFolderKey, folder);
}

QString DialogFileChooser::saveFile(QWidget* parent, const QString& proposedName, const QString& filter) {
    const QString path = QFileDialog::getSaveFileName(parent, kMessage, QDir(startFolder()).filePath(proposedName), filter);
    if (!path.isEmpty()) rememberFolder(QFileInfo(path).absolutePath());
    return path;
}

QString DialogFileChooser::folder(QWidget* parent) {
    const QString path = QFileDialog::getExistingDirectory(parent, kMessage, startFolder());
    rememberFolder(path);
    return path;
}

QStringList DialogFileChooser::openFiles(QWidget* parent, const QString& filter, bool several) {
    QStringList paths;
    if (several) {
        paths = QFileDialog::getOpenFileNames(parent, QString(), startFolder(), filter);
    } else if (const QString path = QFileDialog::getOpenFileName(parent, QString(), startFolder(), filter); !path.isEmpty()) {
        paths << path;
    }
    if (!paths.isEmpty()) rememberFolder(QFileInfo(paths.first()).absolutePath());
    return paths;
}

}  // namespace quorvex
