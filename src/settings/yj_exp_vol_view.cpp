#include "yj_exp_vol_view.h"

#include <QVBoxLayout>

#include <algorithm>

#include "g_slider.h"
#include "grid_step.h"
#include "two_way_switch.h"

namespace quorvex::settings {

namespace {
constexpr std::uint32_t kMaxVolume = 100;
std::uint32_t volumeAt(double v) { return static_cast<std::uint32_t>(std::clamp(v, 0.0, 1.0) * kMaxVolume); }
}  // namespace

YJExpVolView::YJExpVolView(QWidget* parent)
    : SettingsOverlay(QStringLiteral("ExpVolView"), QStringLiteral("EXP VOL"), parent),
      switch_(new TwoWaySwitch(QStringLiteral("EXP VOL"), QStringLiteral("ON"), QStringLiteral("OFF"), this)) {
    body()->addWidget(switch_);
    rows_.emplace_back(QStringLiteral("MIN VOL"), this);
    rows_.emplace_back(QStringLiteral("MAX VOL"), this);
    for (const auto& row : rows_) {
        body()->addWidget(row.row);
        connect(row.slider, &ui::GSlider::action, this, &YJExpVolView::ModleViewAction);
        connect(row.slider, &ui::ValueSlider::stepRequested, this,
                [this, maximum = row.slider == sliderMaxVol()](int steps) { stepEnd(maximum, steps); });
    }
    connect(switch_, &TwoWaySwitch::pressed, this, [this](int position) {
        range_.on = position == TwoWaySwitch::kLeft ? 1 : 0;
        redraw();
        emit SelfDataChange();
    });
    redraw();
}

void YJExpVolView::ModleViewAction(ui::GSlider* sender) {
    if (sender == sliderMaxVol())
        range_.setMaximum(volumeAt(sender->floatValue()));
    else
        range_.setMinimum(volumeAt(sender->floatValue()));
    redraw();
    emit SelfDataChange();
}

void YJExpVolView::stepEnd(bool maximum, int steps) {
    const std::uint32_t value = maximum ? range_.maximum : range_.minimum;
    const std::uint32_t stepped = ui::steppedOnGrid(value, steps, 0, kMaxVolume);
    if (stepped == value) return;
    if (maximum)
        range_.setMaximum(stepped);
    else
        range_.setMinimum(stepped);
    redraw();
    emit SelfDataChange();
}

void YJExpVolView::changedModeValue(const std::array<std::uint32_t, 3>& values) {
    range_.minimum = values[0];
    range_.maximum = values[1];
    range_.on = values[2];
    redraw();
}

void YJExpVolView::PresetchangedModeValue(std::uint32_t on) {
    range_.on = on;
    redraw();
}

void YJExpVolView::redraw() {
    const bool on = range_.on == 1;
    switch_->setPosition(on ? TwoWaySwitch::kLeft : TwoWaySwitch::kRight);
    const std::array<std::uint32_t, 2> ends = {range_.minimum, range_.maximum};
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i].row->setVisible(on);
        // A value beyond 100 shows at the end of the slider; the block keeps it.
        rows_[i].slider->setFloatValue(double(std::min(ends[i], kMaxVolume)) / kMaxVolume);
        rows_[i].readout->setText(QString::number(std::min(ends[i], kMaxVolume)));
    }
    adjustSize();
}

}  // namespace quorvex::settings
