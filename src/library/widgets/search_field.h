#pragma once
#include <QLineEdit>

class QSortFilterProxyModel;

namespace quorvex {

// A search field that filters a list as the user types (any part of the row's text, in
// any case); Escape clears it.
class SearchField : public QLineEdit {
    Q_OBJECT
public:
    SearchField(const QString& accessibleName, QSortFilterProxyModel& filtered, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace quorvex
