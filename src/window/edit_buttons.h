#pragma once
#include <QKeySequence>
#include <QWidget>

#include <vector>

class QPushButton;
class QUndoStack;

namespace quorvex {

class PresetCompare;

// The row of UNDO, REDO, COMPARE and HISTORY in the main window's left column, with
// their keys: Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo, Ctrl+B compares. The keys
// work wherever the focus is in the window, also in a number field, which would
// otherwise take Ctrl+Z for its own text.
class EditButtons : public QWidget {
    Q_OBJECT
public:
    EditButtons(QUndoStack& history, PresetCompare& compare, QWidget* window);
    ~EditButtons() override;

    QPushButton* undoButton() const { return undo_; }
    QPushButton* redoButton() const { return redo_; }
    QPushButton* compareButton() const { return compare_; }
    QPushButton* historyButton() const { return history_; }

signals:
    // The HISTORY button: show the presets that saves and imports replaced.
    void historyRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addKey(const QKeySequence& keys, QPushButton* button);
    void updateEnabled();

    QUndoStack& stack_;
    QWidget* window_;
    QPushButton* undo_;
    QPushButton* redo_;
    QPushButton* compare_;
    QPushButton* history_;
    std::vector<QKeySequence> keys_;
};

}  // namespace quorvex
