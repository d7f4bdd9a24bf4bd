#pragma once
#include <QMessageBox>
#include <QString>

#include <functional>

namespace quorvex {

// Tells the user something with one "OK" button. The editor shows a modal alert;
// tests collect the texts.
using FileAlert = std::function<void(QWidget* parent, QMessageBox::Icon icon, const QString& text)>;
FileAlert modalFileAlert();

}  // namespace quorvex
