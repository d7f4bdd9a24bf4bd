#include "screenshot_window.h"

#include "striped_progress_bar.h"

#include <QCoreApplication>
#include <QTimer>

namespace quorvex::updater {

ScreenshotWindow::ScreenshotWindow(QString file, QWidget* parent) : UpdaterWindow(parent), file_(std::move(file)) {}

void ScreenshotWindow::setOfferVisible(bool visible) {
    UpdaterWindow::setOfferVisible(visible);
    if (visible) QTimer::singleShot(0, this, &UpdaterWindow::yesClicked);
}

void ScreenshotWindow::setProgress(double fraction) {
    UpdaterWindow::setProgress(fraction);
    if (taken_ || fraction < 0.5) return;
    taken_ = true;
    // The progress arrives in whole packets, so the first figure past half is the same
    // each time; the stripes stand still.
    for (auto* bar : findChildren<ui::StripedProgressBar*>()) bar->holdStill();
    if (!grab().save(file_, "PNG")) qWarning("could not write %s", qPrintable(file_));
    QCoreApplication::exit(0);
}

}  // namespace quorvex::updater
