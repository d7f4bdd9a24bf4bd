#pragma once
#include "file_alerts.h"
#include "link_transfer.h"
#include "preset_file_names.h"
#include "preset_import.h"

#include <QObject>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class QDialog;

namespace quorvex {

class AppDelegate;
class FileChooser;
class MultipleSelectWindowController;
class RootViewController;

// The main window's Import, Export and Backup buttons: preset files in and out, and
// the backup dialog.
class PresetFileActions : public QObject {
    Q_OBJECT
public:
    // Runs a modal dialog to its end. The editor runs it; tests answer it.
    using DialogRunner = std::function<void(QDialog&)>;

    PresetFileActions(AppDelegate& hub, RootViewController& root, QObject* parent = nullptr);
    ~PresetFileActions() override;

    void ImportButtonClick();
    void ExportButtonClick();
    void backupButtonClick();
    // Imports files as the Import button does: one becomes the sound, several go into
    // the slots their names give.
    void importFiles(const QStringList& paths);

    void setFileChooser(std::shared_ptr<FileChooser> chooser) { m_chooser = std::move(chooser); }
    void setAlert(FileAlert alert) { m_alert = std::move(alert); }
    void setDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }
    void setPollInterval(std::chrono::milliseconds interval) { m_poll = interval; }
    void setFileSystemProbe(FileSystemProbe probe) { m_fileSystemOf = std::move(probe); }
    // The delay of the message after a single-file import.
    static constexpr int kImportAlertDelayMs = 500;

    // The batch import running now, if any.
    LinkTransfer* transfer() const { return m_transfer.get(); }

signals:
    // A batch import ended (with or without success).
    void importEnded();

private:
    void importOne(const ImportFile& file);
    void importBatch(std::vector<ImportFile> files);

    AppDelegate& m_hub;
    RootViewController& m_root;
    std::shared_ptr<FileChooser> m_chooser;
    FileAlert m_alert;
    DialogRunner m_runDialog;
    std::chrono::milliseconds m_poll{10};
    FileSystemProbe m_fileSystemOf = fileSystemOf;
    std::unique_ptr<LinkTransfer> m_transfer;
};

}  // namespace quorvex
