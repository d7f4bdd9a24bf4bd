#pragma once
#include "module_table.h"
#include "screen_ports.h"

#include <QWidget>

#include <vector>

class QLabel;

namespace quorvex {
namespace ui {
class HYSlider;
class YJTextField;
class GPopUpButton;
}  // namespace ui
class GroupBadge;

// What every effect-module panel shares: the module block, one slider and number
// field per parameter row, the model list, the row names of the model's group and its
// picture. Edits update the block and announce SelfDataChange; reports from the pedal
// redraw without announcing anything, so they never echo back.
class ModulePanel : public QWidget, public ModulePanelPort {
    Q_OBJECT
public:
    explicit ModulePanel(ModuleTable table, QWidget* parent = nullptr);

    // ModulePanelPort
    void changedModeValue(const std::vector<std::uint32_t>& values) override;
    void ModeOnOffChange(std::uint32_t status) override;
    std::vector<std::uint32_t> block() const override { return para_; }

    Module module() const { return table_.module; }
    const ModuleTable& table() const { return table_; }

    // The controls, by row, for the window and for tests.
    ui::HYSlider* pSlider(int row) const { return sliders_[static_cast<std::size_t>(row)]; }
    ui::YJTextField* pTextFieldVale(int row) const { return fields_[static_cast<std::size_t>(row)]; }
    QLabel* titleLab(int row) const { return titles_[static_cast<std::size_t>(row)]; }
    ui::GPopUpButton* popButton() const { return popButton_; }
    GroupBadge* valueName() const { return valueName_; }

    // User actions of the rows and the model list.
    void ModleViewAction(ui::HYSlider* sender);
    void textFieldChange(ui::YJTextField* sender);
    void popupButtonChange(ui::GPopUpButton* sender);

signals:
    // The block changed; the hub reads it on the next turn of the event loop.
    void SelfDataChange();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildRows();
    void showGroupOf(std::uint32_t modelNumber);

    ModuleTable table_;
    std::vector<std::uint32_t> para_;
    std::vector<ui::HYSlider*> sliders_;
    std::vector<ui::YJTextField*> fields_;
    std::vector<QLabel*> titles_;
    ui::GPopUpButton* popButton_ = nullptr;
    GroupBadge* valueName_ = nullptr;
};

}  // namespace quorvex
