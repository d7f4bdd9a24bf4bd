#include "load_data_window.h"

#include "control_palette.h"
#include "striped_progress_bar.h"

#include <QLabel>
#include <QVBoxLayout>

namespace quorvex {

LoadDataWindowController::LoadDataWindowController(QWidget* parent)
    : QDialog(parent),
      statusLabel_(new QLabel(this)),
      loadDataLabel_(new QLabel(QStringLiteral("0%"), this)),
      progressBar_(new ui::StripedProgressBar(this)) {
    setWindowTitle(QStringLiteral("QUORVEX III"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);
    setFixedWidth(480);
    setMinimumHeight(190);
    setAutoFillBackground(true);

    statusLabel_->setAccessibleName(QStringLiteral("status"));
    statusLabel_->setWordWrap(true);
    statusLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusLabel_->setAlignment(Qt::AlignCenter);
    QFont big = loadDataLabel_->font();
    big.setPointSizeF(22);
    big.setBold(true);
    loadDataLabel_->setFont(big);
    loadDataLabel_->setAlignment(Qt::AlignCenter);
    loadDataLabel_->setAccessibleName(QStringLiteral("loadDataLabel"));
    QPalette teal = loadDataLabel_->palette();
    teal.setColor(QPalette::WindowText, ui::palette::teal());
    loadDataLabel_->setPalette(teal);
    progressBar_->setAccessibleName(QStringLiteral("progressBar"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 22, 28, 26);
    layout->addWidget(statusLabel_);
    layout->addWidget(loadDataLabel_);
    layout->addWidget(progressBar_);
    setPedalState(PedalState::Waiting);
}

void LoadDataWindowController::setPedalState(PedalState state) {
    switch (state) {
    case PedalState::Waiting:
        statusLabel_->setText(tr("Waiting for the QUORVEX III.\nConnect it by USB and switch it on."));
        break;
    case PedalState::Loading:
        statusLabel_->setText(tr("Loading the presets of the QUORVEX III"));
        break;
    }
}

void LoadDataWindowController::showAccessProblem(const QString& text) {
    if (statusLabel_->text() == text) return;
    statusLabel_->setText(text);
    adjustSize();
}

void LoadDataWindowController::SetProgress(float v) {
    progressBar_->setFraction(v);
    loadDataLabel_->setText(QStringLiteral("%1%").arg(static_cast<int>(v * 100.0f)));
    if (v == 1.0f) {
        finished_ = true;
        accept();
    }
}

void LoadDataWindowController::reject() {
    // Escape or the close button: leaving the loading window ends the editor.
    if (!finished_) emit exitRequested();
    QDialog::reject();
}

}  // namespace quorvex
