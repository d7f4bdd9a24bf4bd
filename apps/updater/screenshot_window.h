#pragma once
#include "updater_window.h"

namespace quorvex::updater {

// The updater's window when the updater takes its own picture (--screenshot): it answers
// the offer with Yes, saves itself as PNG once the update has written half the image, and
// ends the updater.
class ScreenshotWindow : public UpdaterWindow {
    Q_OBJECT
public:
    explicit ScreenshotWindow(QString file, QWidget* parent = nullptr);

    void setOfferVisible(bool visible) override;
    void setProgress(double fraction) override;

private:
    QString file_;
    bool taken_ = false;
};

}  // namespace quorvex::updater
