#include "settings_style.h"

#include <QLabel>
#include <QPushButton>

#include "preset_screen_style.h"

namespace quorvex::settings {

namespace {
QString buttonSheet() {
    return QStringLiteral(
               "QPushButton { color: %1; background: %2; border: 1px solid %3; border-radius: 5px;"
               " padding: 5px 10px; font-weight: 600; }"
               "QPushButton:hover { border-color: %4; }"
               "QPushButton:pressed { background: %3; }"
               "QPushButton:checked { color: black; background: %4; border-color: %4; }"
               "QPushButton:focus { border: 2px solid %4; }")
        .arg(preset_style::hex(preset_style::text()), preset_style::hex(preset_style::display()),
             preset_style::hex(preset_style::edge()), preset_style::hex(preset_style::teal()));
}
}  // namespace

QPushButton* makeChoiceButton(const QString& text, QWidget* parent) {
    QPushButton* button = makePushButton(text, parent);
    button->setCheckable(true);
    return button;
}

QPushButton* makePushButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAccessibleName(text);
    button->setStyleSheet(buttonSheet());
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

QLabel* makeCaption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFont(preset_style::captionFont());
    label->setStyleSheet(QStringLiteral("color: %1;").arg(preset_style::hex(preset_style::dimText())));
    return label;
}

QLabel* makeReadout(const QString& caption, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAccessibleName(caption + QStringLiteral(" value"));
    label->setMinimumWidth(72);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(preset_style::font(14, QFont::Bold));
    label->setStyleSheet(QStringLiteral("color: white; background: black; border: 1px solid %1; padding: 2px 6px;")
                             .arg(preset_style::hex(preset_style::edge())));
    return label;
}

QString panelStyleSheet(const QString& objectName) {
    return QStringLiteral("#%1 { background: %2; border: 2px solid %3; border-radius: 10px; }")
        .arg(objectName, preset_style::hex(preset_style::panel()), preset_style::hex(preset_style::teal()));
}

}  // namespace quorvex::settings
