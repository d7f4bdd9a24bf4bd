#pragma once
#include "file_alerts.h"
#include "preset_history.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace quorvex {

// The HISTORY window: the presets that writes replaced, newest first (time, slot, old
// name → new name, what wrote it). PUT BACK asks for the chosen one to be written into
// its slot again; the pedal's confirmation keeps what it replaced as a new entry.
class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    explicit HistoryWindow(QWidget* parent = nullptr);

    // Reads the entries again.
    void reload();
    QListWidget* entryList() const { return list_; }
    QPushButton* putBackButton() const { return putBack_; }
    void setAlert(FileAlert alert) { alert_ = std::move(alert); }

signals:
    void putBackRequested(int slot, const quorvex::PresetRecord& record);

private:
    void putBackChosen();

    PresetHistory history_;
    std::vector<HistoryEntry> entries_;
    FileAlert alert_;
    QListWidget* list_;
    QPushButton* putBack_;
};

}  // namespace quorvex
