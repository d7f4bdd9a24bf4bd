#pragma once
#include "updater_window_port.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace quorvex::ui {
class StripedProgressBar;
}

namespace quorvex::updater {

// The updater's one window: message, warning, striped progress bar, Yes, No and Done.
// Only drawing and forwarding; the flow lives in AppDelegate.
class UpdaterWindow : public QWidget, public UpdaterWindowPort {
    Q_OBJECT
public:
    explicit UpdaterWindow(QWidget* parent = nullptr);

    void showWindow() override;
    void setMessage(const QString& text) override;
    void setOfferVisible(bool visible) override;
    void setDoneVisible(bool visible) override;
    bool doneVisible() const override;
    void setProgress(double fraction) override;
    void showAlert(const QString& text, std::function<void()> dismissed) override;

signals:
    void yesClicked();
    void noClicked();
    void doneClicked();
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* message_;
    QLabel* warning_;
    ui::StripedProgressBar* progress_;
    QPushButton* yes_;
    QPushButton* no_;
    QPushButton* done_;
};

}  // namespace quorvex::updater
