#include "module_panel.h"

#include "control_palette.h"
#include "g_pop_up_button.h"
#include "group_badge.h"
#include "hy_slider.h"
#include "yj_text_field.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace quorvex {
namespace {

// Bold, spaced capitals on the dark plate.
QLabel* plateLabel(QWidget* parent, double pointSize, double spacing, const QColor& colour) {
    auto* label = new QLabel(parent);
    QFont font = label->font();
    font.setPointSizeF(pointSize);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    return label;
}

QLabel* nameLabel(QWidget* parent, Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter) {
    QLabel* label = plateLabel(parent, 13, 1.0, ui::palette::text());
    label->setAlignment(alignment);
    label->setMinimumWidth(120);
    return label;
}

ui::GPopUpButton* dropDown(QWidget* parent, const QStringList& entries) {
    auto* list = new ui::GPopUpButton(parent);
    list->setMinimumSize(240, 34);
    list->setDataArray(entries);
    return list;
}

}  // namespace

ModulePanel::ModulePanel(ModuleTable table, QWidget* parent)
    : QWidget(parent),
      table_(std::move(table)),
      para_(static_cast<std::size_t>(kModuleElements[static_cast<std::size_t>(table_.module)]), 0) {
    setAccessibleName(table_.caption);
    buildControls();
    applyGroup(table_.startGroup);
    valueName_->hide();  // no picture until the first model is picked or reported
}

void ModulePanel::attachToHub(AppDelegate&) {}

void ModulePanel::addBesideModelList(QWidget* widget) {
    static_cast<QGridLayout*>(layout())->addWidget(widget, 2, 3, Qt::AlignLeft);
}

void ModulePanel::buildControls() {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(56, 40, 56, 40);
    grid->setHorizontalSpacing(20);
    grid->setVerticalSpacing(22);

    QLabel* caption = plateLabel(this, 20, 3.0, ui::palette::teal());
    caption->setText(table_.caption);
    // The caption and the group picture share a line of their own, so that the picture
    // does not widen the columns of the rows below.
    valueName_ = new GroupBadge(this);
    auto* header = new QHBoxLayout;
    header->addWidget(caption);
    header->addStretch();
    header->addWidget(valueName_);
    grid->addLayout(header, 0, 0, 1, 4);
    // The same height with or without a picture, so the rows stand still between models.
    grid->setRowMinimumHeight(0, valueName_->sizeHint().height());

    QLabel* effect = nameLabel(this);
    effect->setText(QStringLiteral("EFFECT"));
    QStringList names;
    for (const ModelEntry& m : table_.models) names << m.name;
    popButton_ = dropDown(this, names);
    popButton_->setAccessibleName(QStringLiteral("EFFECT"));
    connect(popButton_, &ui::GPopUpButton::action, this, &ModulePanel::popupButtonChange);
    // Row 1 is an empty stretch that keeps the rows in the middle of the plate.
    grid->addWidget(effect, 2, 0);
    grid->addWidget(popButton_, 2, 1, 1, 2, Qt::AlignLeft);

    const int listCount = static_cast<int>(table_.lists.size());
    const int listRow = table_.listsBeforeRows ? 3 : 3 + table_.rows;
    addListRows(grid, listRow);
    addParameterRows(grid, table_.listsBeforeRows ? 3 + listCount : 3);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(3 + table_.rows + listCount, 2);
}

void ModulePanel::addListRows(QGridLayout* grid, int firstGridRow) {
    for (const ExtraList& spec : table_.lists) {
        QLabel* title = nameLabel(this);
        ui::GPopUpButton* list = dropDown(this, spec.entries);
        connect(list, &ui::GPopUpButton::action, this, &ModulePanel::popupButtonChange);
        grid->addWidget(title, firstGridRow, 0);
        grid->addWidget(list, firstGridRow, 1, 1, 2, Qt::AlignLeft);
        ++firstGridRow;
        listTitles_.push_back(title);
        lists_.push_back(list);
    }
}

void ModulePanel::addParameterRows(QGridLayout* grid, int firstGridRow) {
    for (int row = 0; row < table_.rows; ++row) {
        QLabel* title = nameLabel(this);
        QLabel* unit = nameLabel(this, Qt::AlignLeft | Qt::AlignVCenter);
        unit->setMinimumWidth(40);
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
        connect(slider, &ui::ValueSlider::stepRequested, this,
                [this, row](int steps) { stepRow(static_cast<std::size_t>(row), steps); });
        connect(field, &ui::YJTextField::action, this, &ModulePanel::textFieldChange);
        titles_.push_back(title);
        units_.push_back(unit);
        sliders_.push_back(slider);
        fields_.push_back(field);
        grid->addWidget(title, firstGridRow + row, 0);
        grid->addWidget(slider, firstGridRow + row, 1);
        grid->addWidget(field, firstGridRow + row, 2, Qt::AlignLeft);
        grid->addWidget(unit, firstGridRow + row, 3);
    }
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

int ModulePanel::groupOfModel(std::uint32_t modelNumber) const {
    // The list may have grown beyond the table (user slots the pedal named): those
    // positions share the layout of the table's last model.
    if (modelNumber < 1 || modelNumber > static_cast<std::uint32_t>(popButton_->dataArray().size()))
        return table_.unknownModelGroup;
    const std::size_t position = std::min<std::size_t>(modelNumber - 1, table_.models.size() - 1);
    return table_.models[position].group;
}

const RowSpec* ModulePanel::rowSpec(std::size_t row) const {
    const auto& rows = table_.groups[static_cast<std::size_t>(group_)].rows;
    return row < rows.size() ? &rows[row] : nullptr;
}

void ModulePanel::applyGroup(int group) {
    group_ = group;
    const ModelGroup& g = table_.groups[static_cast<std::size_t>(group)];
    for (std::size_t row = 0; row < sliders_.size(); ++row) {
        const RowSpec* spec = rowSpec(row);
        const QString title = spec ? spec->title : QString();
        const QString unit = spec ? spec->unit : QString();
        sliders_[row]->setVisible(spec != nullptr);
        fields_[row]->setVisible(spec != nullptr);
        titles_[row]->setText(title);
        titles_[row]->setVisible(!title.isEmpty());
        units_[row]->setText(unit);
        units_[row]->setVisible(!unit.isEmpty());
        if (!spec) continue;  // a hidden row keeps its last name
        const QString name = title.isEmpty() ? unit : title;
        sliders_[row]->setAccessibleName(name);
        fields_[row]->setAccessibleName(name + QStringLiteral(" value"));
    }
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        const QString title = static_cast<qsizetype>(i) < g.listTitles.size() ? g.listTitles[static_cast<qsizetype>(i)] : QString();
        listTitles_[i]->setText(title);
        listTitles_[i]->setVisible(!title.isEmpty());
        lists_[i]->setVisible(!title.isEmpty());
        if (!title.isEmpty()) lists_[i]->setAccessibleName(title);
    }
    valueName_->setGroup(g.picture, g.caption);
    valueName_->setVisible(!g.picture.isEmpty());
}

void ModulePanel::copyReport(const std::vector<std::uint32_t>& values, int group) {
    if (!table_.reportsCopyShownOnly) {
        std::copy_n(values.begin(), std::min(values.size(), para_.size()), para_.begin());
    } else {
        para_[0] = values[0];
        para_[1] = values[1];
        if (group >= 0) {
            for (const RowSpec& spec : table_.groups[static_cast<std::size_t>(group)].rows) {
                const auto e = static_cast<std::size_t>(spec.element);
                if (e < values.size()) para_[e] = values[e];
            }
        }
    }
    const ModuleTable::Ceiling& ceiling = table_.ceiling;
    if (ceiling.element >= 0 && para_[1] != ceiling.exemptModel) {
        std::uint32_t& value = para_[static_cast<std::size_t>(ceiling.element)];
        value = std::min(value, ceiling.high);
    }
}

void ModulePanel::redraw() {
    for (std::size_t row = 0; row < sliders_.size(); ++row) {
        const RowSpec* spec = rowSpec(row);
        if (!spec) continue;
        const std::uint32_t value = para_[static_cast<std::size_t>(spec->element)];
        sliders_[row]->setFloatValue(spec->scale.sliderPosition(value));  // out of range: the slider stays
        fields_[row]->setStringValue(spec->scale.text(value));
    }
    // A number outside a list leaves the list as it was.
    if (para_[1] >= 1 && para_[1] <= static_cast<std::uint32_t>(popButton_->dataArray().size()))
        popButton_->setIndexNumber(para_[1] - 1);
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        const std::uint32_t position = para_[static_cast<std::size_t>(table_.lists[i].element)];
        if (position < static_cast<std::uint32_t>(lists_[i]->dataArray().size())) lists_[i]->setIndexNumber(position);
    }
}

void ModulePanel::ModleViewAction(ui::HYSlider* sender) {
    for (std::size_t row = 0; row < sliders_.size(); ++row) {
        if (sliders_[row] != sender) continue;
        const RowSpec* spec = rowSpec(row);
        if (!spec) return;  // a row the model does not use
        const std::uint32_t stored = spec->scale.storedFromSlider(sender->floatValue());
        fields_[row]->setStringValue(spec->scale.text(stored));
        para_[static_cast<std::size_t>(spec->element)] = stored;
        emit SelfDataChange();
        return;
    }
}

void ModulePanel::stepRow(std::size_t row, int steps) {
    const RowSpec* spec = rowSpec(row);
    if (!spec) return;
    std::uint32_t& value = para_[static_cast<std::size_t>(spec->element)];
    const std::uint32_t stepped = spec->scale.stepped(value, steps);
    if (stepped == value) return;  // at the end already: nothing to send
    value = stepped;
    sliders_[row]->setFloatValue(spec->scale.sliderPosition(value));
    fields_[row]->setStringValue(spec->scale.text(value));
    emit SelfDataChange();
}

void ModulePanel::textFieldChange(ui::YJTextField* sender) {
    for (std::size_t row = 0; row < fields_.size(); ++row) {
        const RowSpec* spec = rowSpec(row);
        if (fields_[row] != sender || !spec) continue;
        const double number = sender->value();
        const double clamped = spec->scale.clampShown(number);
        const std::uint32_t stored = spec->scale.storedFromTyped(number);
        if (clamped != number) sender->setValue(static_cast<float>(clamped));
        sliders_[row]->setFloatValue(spec->scale.sliderPositionOfShown(number));
        para_[static_cast<std::size_t>(spec->element)] = stored;
        if (clamped != number || spec->scale.rewritesTyped()) sender->setStringValue(spec->scale.text(stored));
        break;
    }
    emit SelfDataChange();
}

void ModulePanel::popupButtonChange(ui::GPopUpButton* sender) {
    if (sender == popButton_) {
        para_[1] = static_cast<std::uint32_t>(sender->indexNumber() + 1);
        // The panel's own block runs through the report steps, so the rows switch to the
        // new model's layout and show the block's values in their new meaning.
        changedModeValue(std::vector<std::uint32_t>(para_));
    }
    // Another list changes its own element only: the layout stays that of the model
    // shown, also while no model has arrived yet.
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        if (lists_[i] == sender) para_[static_cast<std::size_t>(table_.lists[i].element)] = static_cast<std::uint32_t>(sender->indexNumber());
    }
    emit SelfDataChange();
}

void ModulePanel::changedModeValue(const std::vector<std::uint32_t>& values) {
    if (values.size() < 2) return;
    const int group = groupOfModel(values[1]);
    copyReport(values, group);
    if (group >= 0) applyGroup(group);
    redraw();
}

void ModulePanel::ModeOnOffChange(std::uint32_t status) {
    para_[0] = status;
    emit SelfDataChange();
}

void ModulePanel::setUserSlotNames(int first, const QStringList& names) {
    QStringList list = popButton_->dataArray();
    for (int i = 0; i < names.size(); ++i) {
        const int position = first + i;
        while (list.size() < position) list.append(QString());
        if (position < list.size())
            list[position] = names[i];
        else
            list.append(names[i]);
    }
    popButton_->setDataArray(list);
    redraw();
}

void ModulePanel::renameModel(int position, const QString& name) { setUserSlotNames(position, {name}); }

}  // namespace quorvex
