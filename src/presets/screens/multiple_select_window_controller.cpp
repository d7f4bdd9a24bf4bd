#include "multiple_select_window_controller.h"

#include "file_chooser.h"
#include "preset_file_names.h"
#include "preset_record.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvex {

MultipleSelectWindowController::MultipleSelectWindowController(FileChooser& chooser, QWidget* parent)
    : QDialog(parent), m_chooser(chooser), m_table(new QListWidget(this)),
      m_importBtn(new QPushButton("Export", this)), m_cancelBtn(new QPushButton("Cancel", this)) {
    setObjectName("MultipleSelectWindowController");
    setWindowTitle("Export presets");
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    m_table->setAccessibleName("Preset slots");
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        auto* row = new QListWidgetItem(QString::fromStdString(slotLabel(slot)), m_table);
        row->setData(Qt::UserRole, QString::number(slot));  // dataArr2
    }
    m_importBtn->setDefault(true);
    connect(m_importBtn, &QPushButton::clicked, this, &MultipleSelectWindowController::ExportData);
    connect(m_cancelBtn, &QPushButton::clicked, this, &MultipleSelectWindowController::canceImport);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelBtn);
    buttons->addWidget(m_importBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(buttons);
    resize(260, 480);
}

void MultipleSelectWindowController::setName(const QStringList& names) { m_name = names; }

void MultipleSelectWindowController::setIndex(int index) {
    if (index < 0 || index >= m_table->count()) return;
    m_table->clearSelection();
    m_table->item(index)->setSelected(true);
    m_table->setCurrentRow(index, QItemSelectionModel::Current);
    m_table->scrollToItem(m_table->item(index), QAbstractItemView::PositionAtCenter);
}

void MultipleSelectWindowController::ExportData() {
    QList<int> rows;
    for (const QListWidgetItem* item : m_table->selectedItems()) rows << m_table->row(item);
    // Nothing chosen: nothing to write, the chooser stays open.
    if (rows.isEmpty()) return;
    std::sort(rows.begin(), rows.end());
    QString path;
    if (rows.size() > 1) {
        path = m_chooser.folder(this);
    } else {
        const QString entry = rows.first() < m_name.size() ? m_name[rows.first()] : QString();
        path = savePathWithExtension(
            m_chooser, this, m_chooser.saveFile(this, singleExportFileName(entry), QStringLiteral("Preset files (*.kiro)")),
            kPresetFileExtension);
    }
    if (path.isEmpty()) return;
    m_arr.clear();
    for (const int row : rows) m_arr << m_table->item(row)->data(Qt::UserRole).toString();
    m_path = path;
    m_isClickCancel = false;
    accept();
}

void MultipleSelectWindowController::canceImport() {
    m_isClickCancel = true;
    reject();
}

void MultipleSelectWindowController::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers().testFlag(Qt::ControlModifier) && event->key() == Qt::Key_A) {
        m_table->selectAll();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace quorvex
