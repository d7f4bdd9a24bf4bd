#include "module_panel.h"

#include "control_palette.h"
#include "g_pop_up_button.h"
#include "group_badge.h"
#include "hy_slider.h"
#include "yj_text_field.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace quorvex {
namespace {

constexpr double kFullScale = 100.0;

QLabel* nameLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont font = label->font();
    font.setPointSizeF(13);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, ui::palette::text());
    label->setPalette(pal);
    label->setMinimumWidth(120);
    return label;
}

}  // namespace

ModulePanel::ModulePanel(ModuleTable table, QWidget* parent)
    : QWidget(parent), table_(std::move(table)), para_(static_cast<std::size_t>(kModuleElements[static_cast<std::size_t>(table_.module)]), 0) {
    setAccessibleName(table_.caption);
    buildRows();
}

void ModulePanel::buildRows() {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(56, 40, 56, 40);
    grid->setHorizontalSpacing(20);
    grid->setVerticalSpacing(26);

    auto* caption = new QLabel(table_.caption, this);
    QFont captionFont = caption->font();
    captionFont.setPointSizeF(20);
    captionFont.setBold(true);
    captionFont.setLetterSpacing(QFont::AbsoluteSpacing, 3.0);
    caption->setFont(captionFont);
    QPalette captionPalette = caption->palette();
    captionPalette.setColor(QPalette::WindowText, ui::palette::teal());
    caption->setPalette(captionPalette);
    grid->addWidget(caption, 0, 0, 1, 2);

    valueName_ = new GroupBadge(this);
    valueName_->hide();
    grid->addWidget(valueName_, 0, 2, 1, 1, Qt::AlignRight);

    QLabel* effect = nameLabel(this);
    effect->setText(QStringLiteral("EFFECT"));
    popButton_ = new ui::GPopUpButton(this);
    popButton_->setAccessibleName(QStringLiteral("EFFECT"));
    popButton_->setMinimumSize(240, 34);
    QStringList names;
    for (const ModelEntry& m : table_.models) names << m.name;
    popButton_->setDataArray(names);
    connect(popButton_, &ui::GPopUpButton::action, this, &ModulePanel::popupButtonChange);
    // Row 1 is an empty stretch that keeps the rows in the middle of the plate.
    grid->addWidget(effect, 2, 0);
    grid->addWidget(popButton_, 2, 1, 1, 2, Qt::AlignLeft);

    const QStringList& startTitles = table_.groups[static_cast<std::size_t>(table_.startGroup)].titles;
    for (int row = 0; row < table_.rows; ++row) {
        QLabel* title = nameLabel(this);
        auto* slider = new ui::HYSlider(this);
        auto* field = new ui::YJTextField(this);
        slider->setTagValue(row);
        slider->setMinimumSize(320, 36);
        field->setFixedSize(84, 36);
        field->setAlignment(Qt::AlignCenter);
        QFont fieldFont = field->font();
        fieldFont.setPointSizeF(14);
        fieldFont.setBold(true);
        field->setFont(fieldFont);
        slider->setFloatValue(0.5);
        field->setStringValue(QStringLiteral("50"));
        field->setValue(50.0f);
        connect(slider, &ui::HYSlider::action, this, &ModulePanel::ModleViewAction);
        connect(field, &ui::YJTextField::action, this, &ModulePanel::textFieldChange);
        titles_.push_back(title);
        sliders_.push_back(slider);
        fields_.push_back(field);
        grid->addWidget(title, row + 3, 0);
        grid->addWidget(slider, row + 3, 1);
        grid->addWidget(field, row + 3, 2, Qt::AlignLeft);
        const QString name = row < startTitles.size() ? startTitles[row] : QString();
        title->setText(name);
        slider->setAccessibleName(name);
        field->setAccessibleName(name + QStringLiteral(" value"));
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(table_.rows + 3, 2);
}

void ModulePanel::paintEvent(QPaintEvent*) {
    // The panel sits on a plate like the enclosure of a stomp box: dark metal with a lit
    // edge along the top.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF plate = QRectF(rect()).adjusted(20, 16, -20, -16);
    QLinearGradient metal(plate.topLeft(), plate.bottomLeft());
    metal.setColorAt(0, QColor(0x24, 0x29, 0x2e));
    metal.setColorAt(1, QColor(0x17, 0x1a, 0x1d));
    p.setPen(QPen(ui::palette::outline(), 1));
    p.setBrush(metal);
    p.drawRoundedRect(plate, 16, 16);
    p.setPen(QPen(ui::palette::teal(), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(plate.left() + 24, plate.top() + 1.5), QPointF(plate.right() - 24, plate.top() + 1.5));
}

void ModulePanel::showGroupOf(std::uint32_t modelNumber) {
    if (modelNumber < 1 || modelNumber > table_.models.size()) return;
    const ModelGroup& group = table_.groups[static_cast<std::size_t>(table_.models[modelNumber - 1].group)];
    for (int row = 0; row < group.titles.size() && row < table_.rows; ++row) {
        const std::size_t r = static_cast<std::size_t>(row);
        titles_[r]->setText(group.titles[row]);
        sliders_[r]->setAccessibleName(group.titles[row]);
        fields_[r]->setAccessibleName(group.titles[row] + QStringLiteral(" value"));
    }
    valueName_->setGroup(group.picture, group.caption);
    valueName_->show();
}

void ModulePanel::ModleViewAction(ui::HYSlider* sender) {
    for (std::size_t row = 0; row < sliders_.size(); ++row) {
        if (sliders_[row] != sender) continue;
        const auto value = static_cast<long long>(sender->floatValue() * kFullScale);
        fields_[row]->setIntegerValue(value);
        para_[row + 2] = static_cast<std::uint32_t>(value);
        emit SelfDataChange();
        return;
    }
}

void ModulePanel::textFieldChange(ui::YJTextField* sender) {
    for (std::size_t row = 0; row < fields_.size(); ++row) {
        if (fields_[row] != sender) continue;
        float number = sender->value();
        if (number > kFullScale || number < 0.0f) {
            number = std::clamp(number, 0.0f, static_cast<float>(kFullScale));
            sender->setValue(number);
            sender->setIntegerValue(static_cast<long long>(number));
        }
        sliders_[row]->setFloatValue(number / kFullScale);
        para_[row + 2] = static_cast<std::uint32_t>(number);
        break;
    }
    emit SelfDataChange();
}

void ModulePanel::popupButtonChange(ui::GPopUpButton* sender) {
    para_[1] = static_cast<std::uint32_t>(sender->indexNumber() + 1);
    showGroupOf(para_[1]);
    emit SelfDataChange();
}

void ModulePanel::changedModeValue(const std::vector<std::uint32_t>& values) {
    std::copy_n(values.begin(), std::min(values.size(), para_.size()), para_.begin());
    for (std::size_t row = 0; row < sliders_.size(); ++row) {
        const std::uint32_t value = para_[row + 2];
        sliders_[row]->setFloatValue(value / kFullScale);  // out of range: the slider stays
        fields_[row]->setIntegerValue(value);
    }
    if (para_[1] >= 1 && para_[1] <= table_.models.size()) {
        showGroupOf(para_[1]);
        popButton_->setIndexNumber(para_[1] - 1);
    }
}

void ModulePanel::ModeOnOffChange(std::uint32_t status) {
    para_[0] = status;
    emit SelfDataChange();
}

}  // namespace quorvex
