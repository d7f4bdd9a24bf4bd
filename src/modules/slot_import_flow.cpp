#include "slot_import_flow.h"

#include "amp_file.h"
#include "app_delegate.h"
#include "file_chooser.h"
#include "slot_uploads.h"
#include "transfer_progress_dialog.h"
#include "yj_ir_file.h"

#include <QFileInfo>

namespace quorvex {

SlotImportFlow::SlotImportFlow(QWidget* panel)
    : QObject(panel), panel_(panel), chooser_(std::make_shared<DialogFileChooser>()), alert_(modalFileAlert()),
      limit_(kSlotUploadLimit) {}

SlotImportFlow::~SlotImportFlow() = default;

QString SlotImportFlow::chooseFile(const QString& filter) {
    if (!hub_ || !hub_->HidDevece() || busy()) return {};
    const QStringList paths = chooser_->openFiles(panel_ ? panel_->window() : nullptr, filter, false);
    return paths.isEmpty() ? QString() : paths.front();
}

void SlotImportFlow::refuse(const QString& path, const QString& reason, const QString& detail) {
    QString text = QStringLiteral("\"%1\" cannot be loaded: %2. Nothing was sent to the pedal.").arg(QFileInfo(path).fileName(), reason);
    if (!detail.isEmpty()) text += QStringLiteral("\n\n") + detail;
    alert_(panel_ ? panel_->window() : nullptr, QMessageBox::Warning, text);
}

void SlotImportFlow::importIr(int slot, Done done) {
    const QString path = chooseFile(QStringLiteral("WAV files (*.wav *.WAV)"));
    if (path.isEmpty()) return;
    YJIRFile file;
    IrFileError error;
    if (!file.OpenFilePath(path, &error)) return refuse(path, error.reason, error.description.trimmed());
    if (!file.GetIRDataBuffer(4)) return refuse(path, file.refusal());
    DeviceThread& link = *hub_->HidDevece();
    run(makeIrUpload(link, static_cast<std::uint8_t>(slot), irUploadData(file), limit_, std::chrono::milliseconds(10)),
        QStringLiteral("Loading the impulse response"), QStringLiteral("import IR error?"), [&link] { abandonIrUpload(link); },
        std::move(done), file.storedName());
}

void SlotImportFlow::importAmp(int slot, Done done) {
    const QString path = chooseFile(QStringLiteral("Amp models (*.amp *.AMP)"));
    if (path.isEmpty()) return;
    AMPFile file;
    if (!file.OpenAMPFile(path)) return refuse(path, file.refusal());
    DeviceThread& link = *hub_->HidDevece();
    run(makeAmpUpload(link, static_cast<std::uint8_t>(slot), ampUploadData(file), limit_, std::chrono::milliseconds(10)),
        QStringLiteral("Loading the amp model"), QStringLiteral("import AMP error?"), [&link] { abandonAmpUpload(link); },
        std::move(done), QFileInfo(path).completeBaseName());
}

void SlotImportFlow::run(std::unique_ptr<LinkTransfer> transfer, const QString& title, const QString& failure,
                         std::function<void()> abandon, Done done, const QString& name) {
    transfer_ = std::move(transfer);
    connect(transfer_.get(), &LinkTransfer::finished, this, [this, failure, abandon, done, name](LinkTransfer::End end) {
        const bool success = end == LinkTransfer::End::Done;
        if (success) {
            done(name);
        } else {
            abandon();
            // A cancelled upload leaves the chunks the pedal took in the slot, under its old name.
            const QString text = end == LinkTransfer::End::Cancelled
                                     ? QStringLiteral("Loading was cancelled at %1. %2")
                                           .arg(transfer_->step(transfer_->currentStep()).what, QLatin1String(kPartialUploadAdvice))
                                     : failure;
            alert_(panel_ ? panel_->window() : nullptr, QMessageBox::Warning, text);
        }
        transfer_.release()->deleteLater();
        emit importEnded(success);
    });
    auto* progress = new TransferProgressDialog(*transfer_, title, panel_ ? panel_->window() : nullptr);
    progress->setAttribute(Qt::WA_DeleteOnClose);
    transfer_->start();
    progress->show();
}

}  // namespace quorvex
