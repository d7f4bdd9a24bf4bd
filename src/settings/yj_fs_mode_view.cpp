#include "yj_fs_mode_view.h"

#include <QVBoxLayout>

#include "two_way_switch.h"

namespace quorvex::settings {

YJFsModeView::YJFsModeView(QWidget* parent)
    : SettingsOverlay(QStringLiteral("FsModeView"), QStringLiteral("FOOTSWITCH MODE"), parent),
      switch_(new TwoWaySwitch(QStringLiteral("FS MODE"), QStringLiteral("MODE A"), QStringLiteral("MODE B"), this)) {
    body()->addWidget(switch_);
    connect(switch_, &TwoWaySwitch::pressed, this, [this](int position) {
        FsModeStatus_ = position == TwoWaySwitch::kRight ? 1 : 0;
        switch_->setPosition(position);
        emit SelfDataChange();
    });
}

void YJFsModeView::changedModeValue(std::uint32_t mode) {
    FsModeStatus_ = mode;
    switch_->setPosition(mode != 0 ? TwoWaySwitch::kRight : TwoWaySwitch::kLeft);
}

}  // namespace quorvex::settings
