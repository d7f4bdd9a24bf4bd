#pragma once
#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

#include "settings_style.h"

namespace quorvex::settings {

// A caption, a slider named by it and the slider's read-out, on one row.
template <typename Slider>
struct SliderRow {
    QWidget* row = nullptr;
    Slider* slider = nullptr;
    QLabel* readout = nullptr;

    SliderRow(const QString& caption, QWidget* parent)
        : row(new QWidget(parent)), slider(new Slider(row)), readout(makeReadout(caption, row)) {
        slider->setAccessibleName(caption);
        slider->setMinimumWidth(220);
        slider->setFixedHeight(24);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* label = makeCaption(caption, row);
        label->setMinimumWidth(120);
        layout->addWidget(label);
        layout->addWidget(slider, 1);
        layout->addWidget(readout);
    }
};

}  // namespace quorvex::settings
