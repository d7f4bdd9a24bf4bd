#pragma once
#include <QFrame>

class QPushButton;
class QVBoxLayout;

namespace quorvex::settings {

// A settings panel laid over the main window. It closes with its OK button, a press
// outside it (which goes no further) or Escape; only the topmost open panel reacts, so a panel opened over
// another closes first. Nothing here is modal: the window keeps running underneath.
class SettingsOverlay : public QFrame {
    Q_OBJECT
public:
    SettingsOverlay(const QString& objectName, const QString& title, QWidget* parent = nullptr);
    ~SettingsOverlay() override;

    // Puts the panel over `host` (centred, on top) and makes it the topmost panel.
    void openOver(QWidget* host);
    // Takes the panel off the window.
    void removeFromSuperview();

    QPushButton* okButton() const { return ok_; }

protected:
    // Where the panel's own controls go, above the OK row.
    QVBoxLayout* body() const { return body_; }
    // Keeps the panel centred when the window changes size.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centre();

    QVBoxLayout* body_;
    QPushButton* ok_;
};

}  // namespace quorvex::settings
