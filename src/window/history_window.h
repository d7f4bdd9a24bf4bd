#pragma once
#include "preset_history.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace quorvex {

class AppDelegate;
class PresetListPort;

// The HISTORY window: the presets that writes replaced, newest first (time, slot, old
// name → new name, what wrote it). PUT BACK writes the chosen one into its slot again;
// the pedal's confirmation keeps what it replaced as a new entry.
class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    HistoryWindow(AppDelegate& hub, PresetListPort& list, QWidget* parent = nullptr);

    // Reads the entries again.
    void reload();
    QListWidget* entryList() const { return list_; }
    QPushButton* putBackButton() const { return putBack_; }

private:
    void putBackChosen();

    AppDelegate& hub_;
    PresetListPort& presetList_;
    PresetHistory history_;
    std::vector<HistoryEntry> entries_;
    QListWidget* list_;
    QPushButton* putBack_;
};

}  // namespace quorvex
