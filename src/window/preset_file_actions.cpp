#include "preset_file_actions.h"

#include "app_delegate.h"
#include "backup_window_controller.h"
#include "file_chooser.h"
#include "multiple_select_window_controller.h"
#include "preset_file_names.h"
#include "preset_import.h"
#include "root_view_controller.h"
#include "transfer_progress_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace quorvex {

PresetFileActions::PresetFileActions(AppDelegate& hub, RootViewController& root, QObject* parent)
    : QObject(parent), m_hub(hub), m_root(root), m_chooser(std::make_shared<DialogFileChooser>()),
      m_alert(modalFileAlert()), m_runDialog([](QDialog& dialog) { dialog.exec(); }) {}

PresetFileActions::~PresetFileActions() = default;

void PresetFileActions::ExportButtonClick() {
    DeviceThread* link = m_hub.HidDevece();
    if (!link || !m_root.runSaveChangesPrompt()) return;
    MultipleSelectWindowController chooser(*m_chooser, m_root.window());
    chooser.setName(m_root.presetNameArr());
    chooser.setIndex(m_root.selectedCell());
    m_runDialog(chooser);
    if (chooser.isClickCancel() || chooser.arr().isEmpty()) return;

    std::vector<int> chosen;
    for (const QString& slot : chooser.arr()) chosen.push_back(slot.toInt());
    const QStringList entries = m_root.presetNameArr();
    std::vector<int> missing;
    std::vector<ExportFile> files;
    const bool fatNames = chosen.size() > 1 && takesFatNamesOnly(m_fileSystemOf(chooser.path()));
    link->withLinkLock([&](ParameterBlocks&, CommandEncoder&) {
        for (const int slot : chosen) {
            if (!link->presets().arrived(slot)) missing.push_back(slot);
            const QString name = multiExportFileName(entries.value(slot));
            const QString path = chosen.size() == 1 ? chooser.path()
                                                    : QDir(chooser.path()).filePath(fatNames ? fatFileName(name) : name);
            files.push_back({path, link->presets().record(slot)});
        }
    });
    if (const QString refusal = missingPresetsRefusal(missing, QStringLiteral("Exporting")); !refusal.isEmpty()) {
        m_alert(m_root.window(), QMessageBox::Warning, refusal);
        return;
    }
    // The folder dialog asked about none of the files written into the folder.
    QStringList existing;
    for (const ExportFile& file : files)
        if (chosen.size() > 1 && QFileInfo::exists(file.path)) existing << file.path;
    if (!existing.isEmpty() && !m_chooser->confirmReplace(m_root.window(), existing)) return;
    // Written first, so that the message tells what happened.
    if (const QString failure = writeExportFiles(files); !failure.isEmpty()) {
        m_alert(m_root.window(), QMessageBox::Warning, failure);
        return;
    }
    m_alert(m_root.window(), QMessageBox::Information, QStringLiteral("export PRESET successful!"));
}

void PresetFileActions::ImportButtonClick() {
    if (!m_hub.HidDevece() || (m_transfer && m_transfer->running())) return;
    const QStringList paths = m_chooser->openFiles(m_root.window(), QStringLiteral("Preset files (*.kiro)"), true);
    if (!paths.isEmpty()) importFiles(paths);
}

void PresetFileActions::importFiles(const QStringList& paths) {
    if (!m_hub.HidDevece() || (m_transfer && m_transfer->running())) return;
    ImportPlan plan = readImportFiles(paths);
    if (!plan.error.isEmpty()) {
        m_alert(m_root.window(), QMessageBox::Warning, plan.error + QStringLiteral(" Nothing was sent to the pedal."));
        return;
    }
    if (plan.files.size() == 1) {
        importOne(plan.files.front());
    } else {
        importBatch(std::move(plan.files));
    }
}

void PresetFileActions::importOne(const ImportFile& file) {
    m_hub.ImportPreSendData(file.record, file.baseName);
    // The sound is on the pedal but not yet stored in the slot: it counts as edited.
    m_hub.ReadBufferPresetToGui(recordNamedFromFile(file.record, file.baseName));
    m_hub.SetIsChangeGuiData(true);
    QTimer::singleShot(kImportAlertDelayMs, this, [this] {
        m_alert(m_root.window(), QMessageBox::Information, QStringLiteral("import PRESET successful!"));
    });
}

// Each file is written into its slot and confirmed by the pedal before the next goes
// out; the editor's copy takes the record as the pedal received it.
void PresetFileActions::importBatch(std::vector<ImportFile> files) {
    DeviceThread& link = *m_hub.HidDevece();
    auto sent = std::make_shared<std::vector<PresetRecord>>(files.size());
    std::vector<LinkStep> steps;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const ImportFile& file = files[i];
        steps.push_back(presetWriteStep(
            [this, file, sent, i] {
                if (file.slot == m_root.selectedCell()) m_hub.replaceSound(recordNamedFromFile(file.record, file.baseName));
                (*sent)[i] = m_hub.ImportPresSendData(file.record, file.baseName, file.slot);
            },
            QStringLiteral("%1 into %2").arg(QFileInfo(file.path).fileName(), QString::fromStdString(slotLabel(file.slot)))));
    }
    m_transfer = std::make_unique<LinkTransfer>(link, std::move(steps), nullptr, m_poll);
    connect(m_transfer.get(), &LinkTransfer::stepAnswered, this, [&link, files, sent](int index) {
        const auto i = static_cast<std::size_t>(index);
        link.withLinkLock([&](ParameterBlocks&, CommandEncoder&) { link.presets().storeRecord(files[i].slot, (*sent)[i].data(), true); });
    });
    connect(m_transfer.get(), &LinkTransfer::finished, this, [this](LinkTransfer::End end) {
        if (end != LinkTransfer::End::Done) {
            const LinkStep& step = m_transfer->step(m_transfer->currentStep());
            const QString what = end == LinkTransfer::End::Cancelled   ? QStringLiteral("The import was cancelled at %1.")
                                 : end == LinkTransfer::End::Unplugged ? QStringLiteral("The pedal was disconnected while importing %1.")
                                                                       : QStringLiteral("The pedal did not confirm %1.");
            m_alert(m_root.window(), QMessageBox::Warning,
                    what.arg(step.what) + QStringLiteral(" The files before it were imported; the rest were not."));
        }
        m_transfer.release()->deleteLater();
        emit importEnded();
    });
    auto* progress = new TransferProgressDialog(*m_transfer, QStringLiteral("Importing presets"), m_root.window());
    progress->setAttribute(Qt::WA_DeleteOnClose);
    m_transfer->start();
    progress->show();
}

void PresetFileActions::backupButtonClick() {
    if (!m_hub.HidDevece()) return;
    BackupWindowController dialog(m_hub, *m_chooser, m_alert, m_root.window());
    dialog.setPollInterval(m_poll);
    m_runDialog(dialog);
}

}  // namespace quorvex
