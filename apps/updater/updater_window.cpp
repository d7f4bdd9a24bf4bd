#include "updater_window.h"

#include "striped_progress_bar.h"
#include "updater_texts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvex::updater {
namespace {

QPushButton* button(const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setAccessibleName(caption);
    b->setMinimumWidth(96);
    return b;
}

}  // namespace

UpdaterWindow::UpdaterWindow(QWidget* parent)
    : QWidget(parent),
      message_(new QLabel(this)),
      warning_(new QLabel(this)),
      progress_(new ui::StripedProgressBar(this)),
      yes_(button(QStringLiteral("Yes"), this)),
      no_(button(QStringLiteral("No"), this)),
      done_(button(QStringLiteral("Done"), this)) {
    setWindowTitle(QStringLiteral("QUORVEX III Updater"));
    setFixedSize(520, 260);
    setAutoFillBackground(true);

    message_->setAccessibleName(QStringLiteral("message"));
    message_->setWordWrap(true);
    message_->setAlignment(Qt::AlignCenter);
    QFont bold = message_->font();
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    bold.setBold(true);
    message_->setFont(bold);
    warning_->setText(offerWarningText());
    warning_->setAccessibleName(QStringLiteral("warning"));
    warning_->setWordWrap(true);
    warning_->setAlignment(Qt::AlignCenter);
    progress_->setAccessibleName(QStringLiteral("Firmware update progress"));
    done_->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(yes_);
    buttons->addWidget(no_);
    buttons->addWidget(done_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 22, 28, 22);
    layout->addWidget(message_, 1);
    layout->addWidget(warning_);
    layout->addWidget(progress_);
    layout->addLayout(buttons);

    connect(yes_, &QPushButton::clicked, this, &UpdaterWindow::yesClicked);
    connect(no_, &QPushButton::clicked, this, &UpdaterWindow::noClicked);
    connect(done_, &QPushButton::clicked, this, &UpdaterWindow::doneClicked);
}

void UpdaterWindow::showWindow() { show(); }

void UpdaterWindow::setMessage(const QString& text) { message_->setText(text); }

void UpdaterWindow::setOfferVisible(bool visible) {
    yes_->setVisible(visible);
    no_->setVisible(visible);
    warning_->setVisible(visible);
}

void UpdaterWindow::setDoneVisible(bool visible) { done_->setVisible(visible); }

bool UpdaterWindow::doneVisible() const { return done_->isVisibleTo(this); }

void UpdaterWindow::setProgress(double fraction) { progress_->setFraction(fraction); }

void UpdaterWindow::showAlert(const QString& text, std::function<void()> dismissed) {
    auto* alert = new QMessageBox(QMessageBox::Critical, windowTitle(), text, QMessageBox::Ok, this);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    connect(alert, &QMessageBox::finished, this, [dismissed = std::move(dismissed)] { dismissed(); });
    alert->open();  // window-modal, without a nested event loop
}

void UpdaterWindow::closeEvent(QCloseEvent* event) {
    event->ignore();  // the flow decides when the updater ends
    emit closeRequested();
}

}  // namespace quorvex::updater
