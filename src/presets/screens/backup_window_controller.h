#pragma once
#include "file_alerts.h"
#include "link_transfer.h"

#include <QDialog>

#include <chrono>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;

namespace quorvex {

class AppDelegate;
class BackupAssembler;
class FileChooser;

// The backup dialog: Backup reads the pedal's user data into a ".tbf" file, Restore
// writes such a file back into the pedal and, once every block is confirmed, ends the
// editor so that it reads the restored pedal at its next start. Both run with a
// progress dialog while the window stays usable.
// Its check box keeps, in the editor's settings, whether every transfer to the pedal
// keeps the old pace of one block per turn of the send ring.
class BackupWindowController : public QDialog {
    Q_OBJECT
public:
    BackupWindowController(AppDelegate& hub, FileChooser& chooser, FileAlert alert, QWidget* parent = nullptr);
    ~BackupWindowController() override;

    void backupButton();
    void recallButton();
    void exit();

    // What follows a confirmed restore; the editor quits with status 0.
    void setQuit(std::function<void()> quit) { m_quit = std::move(quit); }
    // How often the transfers look for the pedal's answers.
    void setPollInterval(std::chrono::milliseconds interval) { m_poll = interval; }

    QPushButton* backupButtonWidget() const { return m_backup; }
    QPushButton* recallButtonWidget() const { return m_recall; }
    QLabel* status() const { return m_status; }
    QCheckBox* pacedCheckBox() const { return m_paced; }
    // The transfer running now, if any.
    LinkTransfer* transfer() const { return m_transfer.get(); }

    // The close button (and Escape): a transfer still running is cancelled first.
    void reject() override;

signals:
    // A backup or restore ended (with or without success).
    void transferEnded();

private:
    void run(std::unique_ptr<LinkTransfer> transfer, const QString& title, std::function<void(LinkTransfer::End)> done);

    AppDelegate& m_hub;
    FileChooser& m_chooser;
    FileAlert m_alert;
    std::function<void()> m_quit;
    std::chrono::milliseconds m_poll{10};
    std::unique_ptr<BackupAssembler> m_assembler;
    std::unique_ptr<LinkTransfer> m_transfer;
    QPushButton* m_backup;
    QPushButton* m_recall;
    QLabel* m_status;
    QCheckBox* m_paced;
};

// Whether the guitarist chose the old pace for the transfers.
bool pacedTransfersChosen();

}  // namespace quorvex
