#pragma once
#include <QString>
#include <QStringList>

namespace quorvex::updater {

// The editor program: quorvex-editor beside the updater's own executable, else the one
// on PATH; empty when there is neither.
QString findEditor(const QString& ownDir);

// Starts the editor as a program of its own, which outlives the updater.
bool startEditor(const QString& ownDir, const QStringList& arguments);

}  // namespace quorvex::updater
