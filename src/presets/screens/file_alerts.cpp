#include "file_alerts.h"

#include <QPushButton>

namespace quorvex {

FileAlert modalFileAlert() {
    return [](QWidget* parent, QMessageBox::Icon icon, const QString& text) {
        QMessageBox alert(icon, QStringLiteral("QUORVEX III"), text, QMessageBox::NoButton, parent);
        alert.addButton("OK", QMessageBox::AcceptRole);
        alert.exec();
    };
}

}  // namespace quorvex
