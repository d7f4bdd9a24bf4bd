#include "missing_presets_notice.h"

#include "preset_store.h"

#include <QMessageBox>

namespace quorvex {

QMessageBox* tellMissingPresets(QWidget* window, const std::vector<int>& missing) {
    if (missing.empty()) return nullptr;
    auto* notice = new QMessageBox(QMessageBox::Warning, QStringLiteral("QUORVEX III"),
                                   QString::fromStdString(missingPresetsText(missing)), QMessageBox::Ok, window);
    notice->setAttribute(Qt::WA_DeleteOnClose);
    notice->setWindowModality(Qt::WindowModal);
    notice->setAccessibleName(QStringLiteral("Presets missing"));
    notice->open();
    return notice;
}

}  // namespace quorvex
