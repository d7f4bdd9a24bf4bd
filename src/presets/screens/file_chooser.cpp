#include "file_chooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

namespace quorvex {
namespace {

constexpr const char* kLastFolderKey = "files/lastFolder";

const QString kMessage = QStringLiteral("Choose the path to creat the document");

}  // namespace

// Whatever the application calls itself.
QSettings editorSettings() { return QSettings(QStringLiteral("quorvex"), QStringLiteral("quorvex-editor")); }

QString DialogFileChooser::startFolder() {
    const QString last = editorSettings().value(kLastFolderKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

void DialogFileChooser::rememberFolder(const QString& folder) {
    if (!folder.isEmpty()) editorSettings().setValue(kLastFolderKey, folder);
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

bool DialogFileChooser::confirmReplace(QWidget* parent, const QStringList& paths) {
    const QString first = QFileInfo(paths.value(0)).fileName();
    const QString question =
        paths.size() == 1
            ? QStringLiteral("\"%1\" already exists. Do you want to replace it?").arg(first)
            : QStringLiteral("%1 files already exist there, \"%2\" among them. Do you want to replace them?")
                  .arg(paths.size())
                  .arg(first);
    return QMessageBox::question(parent, QStringLiteral("Replace"), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

QString savePathWithExtension(FileChooser& chooser, QWidget* parent, const QString& chosen, const QString& extension) {
    const QString suffix = "." + extension;
    if (chosen.isEmpty() || chosen.endsWith(suffix)) return chosen;
    const QString path = chosen + suffix;
    if (QFileInfo::exists(path) && !chooser.confirmReplace(parent, {path})) return {};
    return path;
}

}  // namespace quorvex
