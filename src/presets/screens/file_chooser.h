#pragma once
#include <QString>
#include <QStringList>

class QSettings;
class QWidget;

namespace quorvex {

// Where the user picks files and folders. The editor asks real file dialogs; tests
// answer with paths of their own.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // A file to write, proposing a name; empty when dismissed.
    virtual QString saveFile(QWidget* parent, const QString& proposedName, const QString& filter) = 0;
    // A folder to write several files into; empty when dismissed.
    virtual QString folder(QWidget* parent) = 0;
    // Files to read (several when allowed); empty when dismissed.
    virtual QStringList openFiles(QWidget* parent, const QString& filter, bool several) = 0;
    // Whether the guitarist wants these existing files replaced; nothing is replaced
    // without the question.
    virtual bool confirmReplace(QWidget*, const QStringList&) { return false; }
};

// The editor's own settings: ~/.config/quorvex/quorvex-editor.conf.
QSettings editorSettings();

// The file a save dialog's answer names once the extension is added, or empty when
// the dialog was dismissed, or when that file exists and is not to be replaced: the
// dialog asked only about the name as typed.
QString savePathWithExtension(FileChooser& chooser, QWidget* parent, const QString& chosen, const QString& extension);

// The desktop's file dialogs, starting in the folder last used (kept in the settings),
// else the Documents folder, else home.
class DialogFileChooser : public FileChooser {
public:
    QString saveFile(QWidget* parent, const QString& proposedName, const QString& filter) override;
    QString folder(QWidget* parent) override;
    QStringList openFiles(QWidget* parent, const QString& filter, bool several) override;
    bool confirmReplace(QWidget* parent, const QStringList& paths) override;

    static QString startFolder();
    static void rememberFolder(const QString& folder);
};

}  // namespace quorvex
