#pragma once
#include <QDialog>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace quorvex {

// The save dialog: the target slot and the name under which the pedal stores its
// current sound. It lives for one save; the caller reads isSave(), indexNumber() and
// the name once it has ended. It ends only through save() or cancel(); the window's
// close button and Escape count as cancel.
class SaveWindowController : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxNameLength = 15;

    explicit SaveWindowController(QWidget* parent = nullptr);

    QComboBox* PresetNumber() const { return m_presetNumber; }
    QLineEdit* PresetName() const { return m_presetName; }
    QPushButton* saveButton() const { return m_saveButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

    // The combo box items: the bare labels 001A..100C.
    const QStringList& dataArr() const { return m_dataArr; }

    qint64 indexNumber() const { return m_indexNumber; }
    bool isSave() const { return m_isSave; }
    QString presetNameText() const;

    // Selects the slot's item and makes it the target. Slots outside 0..299 are ignored.
    void setComboBoxindex(int slot);
    // Puts a name into the name field, keeping what the field accepts from typing:
    // letters, digits and spaces, at most 15 of them.
    void setComboBoxSelectionName(const QString& name);

public slots:
    void save();
    void cancel();
    void reject() override;

private slots:
    void comboBoxSelectionDidChange(int index);

private:
    QStringList m_dataArr;
    QComboBox* m_presetNumber;
    QLineEdit* m_presetName;
    QPushButton* m_saveButton;
    QPushButton* m_cancelButton;
    qint64 m_indexNumber = 0;
    bool m_isSave = false;
};

}  // namespace quorvex
