#include "editor_launcher.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace quorvex::updater {

QString findEditor(const QString& ownDir) {
    const QString beside = ownDir + QStringLiteral("/quorvex-editor");
    if (QFileInfo(beside).isExecutable()) return beside;
    return QStandardPaths::findExecutable(QStringLiteral("quorvex-editor"));
}

bool startEditor(const QString& ownDir, const QStringList& arguments) {
    const QString program = findEditor(ownDir);
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

}  // namespace quorvex::updater
