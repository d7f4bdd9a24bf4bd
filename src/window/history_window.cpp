#include "history_window.h"

#include "app_delegate.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvex {

HistoryWindow::HistoryWindow(AppDelegate& hub, PresetListPort& list, QWidget* parent)
    : QDialog(parent), hub_(hub), presetList_(list), list_(new QListWidget(this)) {
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
    DeviceThread* link = hub_.HidDevece();
    if (row < 0 || row >= static_cast<int>(entries_.size()) || !link) return;
    const HistoryEntry& e = entries_[static_cast<std::size_t>(row)];
    const auto record = history_.record(e);
    // A preset write names its slot in one byte.
    if (!record || e.slot > 255) return;
    link->withLinkLock([link, &e](ParameterBlocks&, CommandEncoder&) { link->presets().expectWriter(e.slot, "put back"); });
    const std::vector<std::uint32_t> values(record->begin(), record->end());
    link->SendPresetsDataToDevice(BlockType::RECORD_WRITE, values.data(), static_cast<int>(values.size()), e.slot);
    presetList_.UpdataPresetListIndex(e.slot, QString::fromStdString(presetDisplayText(e.slot, recordName(*record))));
}

}  // namespace quorvex
