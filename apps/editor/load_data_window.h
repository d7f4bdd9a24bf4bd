#pragma once
#include <QDialog>

class QLabel;

namespace quorvex {
namespace ui {
class StripedProgressBar;
}

// The modal window that holds the user while the pedal sends its 300 presets.
// Closing it ends the editor.
class LoadDataWindowController : public QDialog {
    Q_OBJECT
public:
    enum class PedalState { Waiting, Loading };

    explicit LoadDataWindowController(QWidget* parent = nullptr);

    // v in 0.0..1.0; at exactly 1.0 the window closes and its modal run ends.
    void SetProgress(float v);
    void setPedalState(PedalState state);
    // A pedal is there but cannot be opened: text says why and what to do (selectable, so
    // that its command can be copied).
    void showAccessProblem(const QString& text);

    QLabel* loadDataLabel() const { return loadDataLabel_; }
    QLabel* statusLabel() const { return statusLabel_; }
    ui::StripedProgressBar* progressBar() const { return progressBar_; }

signals:
    // The user closed the window before loading finished.
    void exitRequested();

protected:
    void reject() override;

private:
    QLabel* statusLabel_;
    QLabel* loadDataLabel_;
    ui::StripedProgressBar* progressBar_;
    bool finished_ = false;
};

}  // namespace quorvex
