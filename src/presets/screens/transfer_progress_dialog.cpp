#include "transfer_progress_dialog.h"

#include "link_transfer.h"

namespace quorvex {

TransferProgressDialog::TransferProgressDialog(LinkTransfer& transfer, const QString& title, QWidget* parent)
    : QProgressDialog(parent) {
    setWindowTitle(title);
    setAccessibleName(title);
    setWindowModality(Qt::WindowModal);
    setMinimumDuration(0);
    setAutoClose(false);
    setAutoReset(false);
    setRange(0, transfer.stepCount());
    setValue(0);
    setLabelText(transfer.stepCount() > 0 ? transfer.step(0).what : title);
    connect(&transfer, &LinkTransfer::stepAnswered, this, [this, &transfer](int index) {
        setValue(index + 1);
        if (index + 1 < transfer.stepCount()) setLabelText(transfer.step(index + 1).what);
    });
    connect(this, &QProgressDialog::canceled, &transfer, &LinkTransfer::cancel);
    connect(&transfer, &LinkTransfer::finished, this, &QProgressDialog::close);
}

}  // namespace quorvex
