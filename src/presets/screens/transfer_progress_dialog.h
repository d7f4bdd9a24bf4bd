#pragma once
#include <QProgressDialog>

namespace quorvex {

class LinkTransfer;

// Shows how far a transfer with the pedal has come and what it moves now; Cancel
// stops the transfer. It closes itself when the transfer ends.
class TransferProgressDialog : public QProgressDialog {
    Q_OBJECT
public:
    TransferProgressDialog(LinkTransfer& transfer, const QString& title, QWidget* parent);
};

}  // namespace quorvex
