#include "backup_window_controller.h"

#include "app_delegate.h"
#include "file_chooser.h"
#include "transfer_progress_dialog.h"
#include "whole_pedal_transfers.h"
#include "preset_import.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace quorvex {

namespace {
constexpr const char* kPacedTransfersKey = "link/pacedTransfers";
}

bool pacedTransfersChosen() { return editorSettings().value(kPacedTransfersKey, false).toBool(); }

BackupWindowController::BackupWindowController(AppDelegate& hub, FileChooser& chooser, FileAlert alert, QWidget* parent)
    : QDialog(parent), m_hub(hub), m_chooser(chooser), m_alert(std::move(alert)),
      m_quit([] { QCoreApplication::exit(0); }), m_backup(new QPushButton("Backup", this)),
      m_recall(new QPushButton("Restore", this)), m_status(new QLabel(this)),
      m_paced(new QCheckBox("Transfers at the old pace", this)) {
    setObjectName("BackupWindowController");
    setWindowTitle("Backup and restore");
    m_status->setWordWrap(true);
    m_status->setText("Backup saves the user amps, user IRs, system settings and presets 001A to 067B into one file. "
                      "Restore writes such a file back into the pedal.");
    m_paced->setAccessibleName("Transfers at the old pace");
    m_paced->setToolTip("Slower: backups, restores, preset writes and uploads send one block per turn of the link's "
                        "send cycle, as before, for a pedal that needs it.");
    m_paced->setChecked(pacedTransfersChosen());
    connect(m_paced, &QCheckBox::toggled, this, [this](bool paced) {
        editorSettings().setValue(kPacedTransfersKey, paced);
        if (DeviceThread* link = m_hub.HidDevece()) link->setPacedTransfers(paced);
    });
    connect(m_backup, &QPushButton::clicked, this, &BackupWindowController::backupButton);
    connect(m_recall, &QPushButton::clicked, this, &BackupWindowController::recallButton);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_backup);
    buttons->addWidget(m_recall);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    layout->addWidget(m_paced);
    resize(420, 190);
}

BackupWindowController::~BackupWindowController() = default;

void BackupWindowController::backupButton() {
    DeviceThread* link = m_hub.HidDevece();
    if (!link) return;
    if (const QString refusal = missingPresetsRefusal(missingBackupPresets(*link), QStringLiteral("A backup"));
        !refusal.isEmpty()) {
        m_alert(this, QMessageBox::Warning, refusal);
        return;
    }
    const QString path = savePathWithExtension(
        m_chooser, this,
        m_chooser.saveFile(this, QStringLiteral("XB420BackupFile.tbf"), QStringLiteral("Backup files (*.tbf)")),
        QStringLiteral("tbf"));
    if (path.isEmpty()) return;
    m_assembler = std::make_unique<BackupAssembler>();
    run(makeBackupTransfer(*link, *m_assembler, m_poll), QStringLiteral("Backing up the pedal"), [this, link, path](LinkTransfer::End end) {
        if (end != LinkTransfer::End::Done) {
            m_alert(this, QMessageBox::Warning, backupFailureText(end, *m_transfer));
            return;
        }
        QString reason;
        if (!m_assembler->build(backupPresets(*link)).exportBackupFileForPath(path, &reason)) {
            m_alert(this, QMessageBox::Warning,
                    QStringLiteral("The backup could not be saved as \"%1\": %2").arg(path, reason));
            return;
        }
        const QString gaps = backupGapsText(*m_assembler);
        m_status->setText(QStringLiteral("Backup saved as %1. %2").arg(QFileInfo(path).fileName(), gaps).trimmed());
        if (!gaps.isEmpty()) m_alert(this, QMessageBox::Warning, gaps);
    });
}

void BackupWindowController::recallButton() {
    DeviceThread* link = m_hub.HidDevece();
    if (!link) return;
    const QStringList paths = m_chooser.openFiles(this, QStringLiteral("Backup files (*.tbf)"), false);
    if (paths.isEmpty()) return;
    Tv_Backup file = Tv_Backup::forThisPedal();
    if (const auto check = file.readFile(paths.first()); check != Tv_Backup::Check::Valid) {
        m_alert(this, QMessageBox::Warning,
                QStringLiteral("\"%1\" cannot be restored: %2. Nothing was sent to the pedal.")
                    .arg(QFileInfo(paths.first()).fileName(), backupCheckText(check)));
        return;
    }
    run(makeRestoreTransfer(*link, restoreBlocks(file), m_poll), QStringLiteral("Restoring the pedal"), [this](LinkTransfer::End end) {
        if (end != LinkTransfer::End::Done) {
            m_alert(this, QMessageBox::Warning, restoreFailureText(end, *m_transfer));
            return;
        }
        m_alert(this, QMessageBox::Information, QStringLiteral("Recall Success!"));
        m_quit();
    });
}

void BackupWindowController::run(std::unique_ptr<LinkTransfer> transfer, const QString& title,
                                 std::function<void(LinkTransfer::End)> done) {
    m_transfer = std::move(transfer);
    m_backup->setEnabled(false);
    m_recall->setEnabled(false);
    auto* progress = new TransferProgressDialog(*m_transfer, title, this);
    progress->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_transfer.get(), &LinkTransfer::finished, this, [this, done](LinkTransfer::End end) {
        m_backup->setEnabled(true);
        m_recall->setEnabled(true);
        done(end);
        // The transfer is still delivering this signal: it goes once the loop is back.
        m_transfer.release()->deleteLater();
        emit transferEnded();
    });
    m_transfer->start();
    progress->show();
}

void BackupWindowController::exit() { reject(); }

void BackupWindowController::reject() {
    if (m_transfer && m_transfer->running()) m_transfer->cancel();
    QDialog::reject();
}

}  // namespace quorvex
