#include "search_field.h"

#include <QKeyEvent>
#include <QSortFilterProxyModel>

namespace quorvex {

SearchField::SearchField(const QString& accessibleName, QSortFilterProxyModel& filtered, QWidget* parent)
    : QLineEdit(parent) {
    setAccessibleName(accessibleName);
    setPlaceholderText(QStringLiteral("Search by name or bank"));
    setClearButtonEnabled(true);
    filtered.setFilterCaseSensitivity(Qt::CaseInsensitive);
    connect(this, &QLineEdit::textChanged, &filtered, &QSortFilterProxyModel::setFilterFixedString);
}

void SearchField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !text().isEmpty()) {
        clear();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace quorvex
