#pragma once
#include <cstdint>

#include "value_slider.h"

namespace quorvex::ui {

// The slider of the module panels and the system screen: a round knob as wide as the
// view is high, whose centre follows the pointer along the track.
class HYSlider : public ValueSlider {
    Q_OBJECT
public:
    explicit HYSlider(QWidget* parent = nullptr);

    // Lets an owner with many sliders on one handler tell them apart.
    std::int32_t tagValue() const { return m_tagValue; }
    void setTagValue(std::int32_t tag) { m_tagValue = tag; }

    // With u = width - height the knob centre runs from h/2 + 0.015 u to h/2 + 0.985 u.
    double valueAtPointer(double x) const override;

signals:
    // Sent on the next turn of the event loop after every press and drag step.
    void action(quorvex::ui::HYSlider* sender);

protected:
    void performAction() override { emit action(this); }
    void paintEvent(QPaintEvent* e) override;

private:
    std::int32_t m_tagValue = 0;
};

}  // namespace quorvex::ui
