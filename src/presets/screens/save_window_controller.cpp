#include "save_window_controller.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "preset_screen_style.h"
#include "preset_slots.h"

namespace quorvex {

namespace {

bool allowedInName(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char(' ');
}

QString dialogStyle() {
    return QStringLiteral(
               "QDialog { background: %1; }"
               "QLabel { color: %2; background: transparent; }"
               "QLabel#hint { color: %3; }"
               "QComboBox, QLineEdit { background: %4; color: %5; border: 1px solid %6; border-radius: 5px;"
               "  padding: 6px 10px; font-size: 16px; font-weight: 600; min-height: 22px;"
               "  selection-background-color: %7; selection-color: black; }"
               "QComboBox:focus, QLineEdit:focus { border: 2px solid %7; }"
               "QComboBox QAbstractItemView { background: %4; color: %5; selection-background-color: %7;"
               "  selection-color: black; border: 1px solid %7; }"
               "QPushButton { min-width: 96px; min-height: 34px; border-radius: 6px; font-size: 14px;"
               "  font-weight: 700; }"
               "QPushButton#saveButton { background: %7; color: black; border: none; }"
               "QPushButton#saveButton:hover { background: %8; }"
               "QPushButton#cancelButton { background: transparent; color: %5; border: 1px solid %6; }"
               "QPushButton#cancelButton:hover { border-color: %7; }"
               "QPushButton:focus { outline: none; border: 2px solid %5; }")
        .arg(preset_style::hex(preset_style::panel()), preset_style::hex(preset_style::dimText()),
             preset_style::hex(preset_style::dimText().darker(120)), preset_style::hex(preset_style::display()),
             preset_style::hex(preset_style::text()), preset_style::hex(preset_style::edge()),
             preset_style::hex(preset_style::teal()), preset_style::hex(preset_style::teal().lighter(115)));
}

}  // namespace

SaveWindowController::SaveWindowController(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_dataArr(bareLabels()) {
    setObjectName("SaveWindowController");
    setWindowTitle("Save Preset");
    setModal(true);
    setStyleSheet(dialogStyle());

    auto* numberCaption = new QLabel("PRESET NUMBER", this);
    auto* nameCaption = new QLabel("PRESET NAME", this);
    numberCaption->setFont(preset_style::captionFont());
    nameCaption->setFont(preset_style::captionFont());

    m_presetNumber = new QComboBox(this);
    m_presetNumber->setObjectName("PresetNumber");
    m_presetNumber->setAccessibleName("Preset Number");
    m_presetNumber->addItems(m_dataArr);
    m_presetNumber->setMaxVisibleItems(12);
    numberCaption->setBuddy(m_presetNumber);

    m_presetName = new QLineEdit(this);
    m_presetName->setObjectName("PresetName");
    m_presetName->setAccessibleName("Preset Name");
    m_presetName->setMaxLength(kMaxNameLength);
    m_presetName->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[A-Za-z0-9 ]{0,%1}").arg(kMaxNameLength)), m_presetName));
    m_presetName->setMinimumWidth(240);
    nameCaption->setBuddy(m_presetName);

    auto* hint = new QLabel("Up to 15 letters, digits or spaces; stored in capitals.", this);
    hint->setObjectName("hint");
    hint->setFont(preset_style::font(12));

    m_saveButton = new QPushButton("Save", this);
    m_saveButton->setObjectName("saveButton");
    m_saveButton->setDefault(true);
    m_cancelButton = new QPushButton("Cancel", this);
    m_cancelButton->setObjectName("cancelButton");

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(14);
    fields->setVerticalSpacing(6);
    fields->addWidget(numberCaption, 0, 0);
    fields->addWidget(nameCaption, 0, 1);
    fields->addWidget(m_presetNumber, 1, 0);
    fields->addWidget(m_presetName, 1, 1);
    fields->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_saveButton);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(22, 20, 22, 18);
    column->setSpacing(12);
    column->addLayout(fields);
    column->addWidget(hint);
    column->addSpacing(6);
    column->addLayout(buttons);

    connect(m_presetNumber, &QComboBox::currentIndexChanged, this, &SaveWindowController::comboBoxSelectionDidChange);
    connect(m_saveButton, &QPushButton::clicked, this, &SaveWindowController::save);
    connect(m_cancelButton, &QPushButton::clicked, this, &SaveWindowController::cancel);

    m_presetName->setFocus();
}

QString SaveWindowController::presetNameText() const { return m_presetName->text(); }

void SaveWindowController::setComboBoxindex(int slot) {
    if (!isValidSlot(slot))
        return;
    m_presetNumber->setCurrentIndex(slot);
    m_indexNumber = slot;
}

void SaveWindowController::setComboBoxSelectionName(const QString& name) {
    QString kept;
    for (QChar c : name) {
        if (kept.size() == kMaxNameLength)
            break;
        if (allowedInName(c))
            kept += c;
    }
    m_presetName->setText(kept);
}

void SaveWindowController::comboBoxSelectionDidChange(int index) {
    if (index >= 0)
        m_indexNumber = index;
}

void SaveWindowController::save() {
    m_isSave = true;
    accept();
}

void SaveWindowController::cancel() { reject(); }

void SaveWindowController::reject() {
    m_isSave = false;
    QDialog::reject();
}

}  // namespace quorvex
