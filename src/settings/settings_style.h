#pragma once
#include <QString>

class QAbstractButton;
class QLabel;
class QPushButton;
class QWidget;

namespace quorvex::settings {

// The settings screens' look: the editor's dark stage, raised panels with a teal edge,
// buttons that light teal when chosen, like the pedal's menu pages.

// A button that stays lit while chosen (tabs, switch positions, modules, targets).
QPushButton* makeChoiceButton(const QString& text, QWidget* parent);
// A plain push button (OK, TAP, tempo up and down, the overlay buttons).
QPushButton* makePushButton(const QString& text, QWidget* parent);
// A caption above or beside a control.
QLabel* makeCaption(const QString& text, QWidget* parent);
// A read-out of a control's value, named "<caption> value" for assistive technology.
QLabel* makeReadout(const QString& caption, QWidget* parent);

// The style sheet of a settings panel's frame.
QString panelStyleSheet(const QString& objectName);

}  // namespace quorvex::settings
