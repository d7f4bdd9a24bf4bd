#pragma once
#include "value_slider.h"

namespace quorvex::ui {

// The slider of the EXP volume range and the preset volume: a narrow knob (3 % of
// the width) on a track from 1.5 % to 98.5 % of the width.
class GSlider : public ValueSlider {
    Q_OBJECT
public:
    explicit GSlider(QWidget* parent = nullptr);

    double valueAtPointer(double x) const override;

signals:
    // Sent on the next turn of the event loop after every press and drag step.
    void action(quorvex::ui::GSlider* sender);

protected:
    void performAction() override { emit action(this); }
    void paintEvent(QPaintEvent* e) override;
};

}  // namespace quorvex::ui
