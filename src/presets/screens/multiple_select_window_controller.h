#pragma once
#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

namespace quorvex {

class FileChooser;

// The slot chooser of an export: the 300 bank labels, several rows may be chosen
// (Ctrl+A chooses all), the current slot chosen when it opens. Export asks for a file
// (one slot, proposing the preset name) or a folder (several slots); dismissing that
// leaves the chooser open.
class MultipleSelectWindowController : public QDialog {
    Q_OBJECT
public:
    MultipleSelectWindowController(FileChooser& chooser, QWidget* parent = nullptr);

    // The main window's 300 list entries, for proposing a file name.
    void setName(const QStringList& names);
    // Chooses that row (the current slot) and shows it.
    void setIndex(int index);

    // The export button and the cancel button.
    void ExportData();
    void canceImport();

    // The slot numbers ("%ld") of the rows chosen, in row order; the file or folder;
    // whether the window was left with cancel.
    QStringList arr() const { return m_arr; }
    QString path() const { return m_path; }
    bool isClickCancel() const { return m_isClickCancel; }

    QListWidget* MultipleSelectTableV() const { return m_table; }
    QPushButton* importBtn() const { return m_importBtn; }
    QPushButton* cancelBtn() const { return m_cancelBtn; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    FileChooser& m_chooser;
    QStringList m_name;
    QStringList m_arr;
    QString m_path;
    bool m_isClickCancel = true;
    QListWidget* m_table;
    QPushButton* m_importBtn;
    QPushButton* m_cancelBtn;
};

}  // namespace quorvex
