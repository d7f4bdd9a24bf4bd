#include "history_window.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvex {

HistoryWindow::HistoryWindow(QWidget* parent) : QDialog(parent), alert_(modalFileAlert()), list_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("HISTORY"));
    setAccessibleName(QStringLiteral("HISTORY"));
    resize(640, 420);
    list_->setAccessibleName(QStringLiteral("Replaced presets"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    putBack_ = buttons->addButton(QStringLiteral("PUT BACK"), QDialogButtonBox::ActionRole);
    putBack_->setAccessibleName(QStringLiteral("PUT BACK"));
    putBack_->setToolTip(QStringLiteral("Write the chosen preset back into its slot"));
    connect(putBack_, &QPushButton::clicked, this, &HistoryWindow::putBackChosen);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { putBack_->setEnabled(row >= 0); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    reload();
}

void HistoryWindow::reload() {
    entries_ = history_.entries();
    list_->clear();
    for (const HistoryEntry& e : entries_) {
        list_->addItem(QStringLiteral("%1   %2   %3 → %4   (%5)")
                           .arg(e.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                QString::fromStdString(slotLabel(e.slot)), e.oldName, e.newName, e.writer));
    }
    putBack_->setEnabled(false);
}

void HistoryWindow::putBackChosen() {
    const int row = list_->currentRow();
    if (row < 0 || row >= static_cast<int>(entries_.size())) return;
    const HistoryEntry& e = entries_[static_cast<std::size_t>(row)];
    const auto record = history_.record(e);
    if (!record) {
        alert_(this, QMessageBox::Warning,
               QStringLiteral("The preset kept for this entry cannot be read: %1").arg(e.presetPath));
        return;
    }
    emit putBackRequested(e.slot, *record);
}

}  // namespace quorvex
