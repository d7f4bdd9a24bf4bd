#include "two_way_switch.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "settings_style.h"

namespace quorvex::settings {

TwoWaySwitch::TwoWaySwitch(const QString& caption, const QString& left, const QString& right, QWidget* parent)
    : QWidget(parent), left_(makeChoiceButton(left, this)), right_(makeChoiceButton(right, this)) {
    setAccessibleName(caption);
    left_->setAccessibleName(caption + QLatin1Char(' ') + left);
    right_->setAccessibleName(caption + QLatin1Char(' ') + right);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = makeCaption(caption, this);
    label->setMinimumWidth(120);
    row->addWidget(label);
    row->addWidget(left_);
    row->addWidget(right_);
    row->addStretch(1);
    // The buttons show the position set from outside, not their own toggling.
    connect(left_, &QPushButton::clicked, this, [this] {
        setPosition(position_);
        emit pressed(kLeft);
    });
    connect(right_, &QPushButton::clicked, this, [this] {
        setPosition(position_);
        emit pressed(kRight);
    });
}

void TwoWaySwitch::setPosition(int position) {
    position_ = position;
    left_->setChecked(position == kLeft);
    right_->setChecked(position == kRight);
}

}  // namespace quorvex::settings
