#pragma once
#include "module_tables.h"
#include "screen_ports.h"

#include <QWidget>

#include <vector>

class QLabel;
class QGridLayout;

namespace quorvex {
namespace ui {
class HYSlider;
class YJTextField;
class GPopUpButton;
}  // namespace ui
class AppDelegate;
class GroupBadge;

// What every effect-module panel shares: the module block, one slider and number
// field per parameter row, the model list and any extra lists, and the layout of the
// model's group (row names, visible rows, conversions, picture). Edits update the
// block and announce SelfDataChange; reports from the pedal redraw without announcing
// anything, so they never echo back.
class ModulePanel : public QWidget, public ModulePanelPort {
    Q_OBJECT
public:
    explicit ModulePanel(ModuleTable table, QWidget* parent = nullptr);

    // ModulePanelPort
    void changedModeValue(const std::vector<std::uint32_t>& values) override;
    void ModeOnOffChange(std::uint32_t status) override;
    std::vector<std::uint32_t> block() const override { return para_; }

    // Registers the panel's own hub rows (events only this panel takes).
    virtual void attachToHub(AppDelegate& hub);

    Module module() const { return table_.module; }
    const ModuleTable& table() const { return table_; }
    // The model group whose layout is shown.
    int currentGroup() const { return group_; }

    // The controls, by row, for the window and for tests.
    ui::HYSlider* pSlider(int row) const { return sliders_[static_cast<std::size_t>(row)]; }
    ui::YJTextField* pTextFieldVale(int row) const { return fields_[static_cast<std::size_t>(row)]; }
    QLabel* titleLab(int row) const { return titles_[static_cast<std::size_t>(row)]; }
    QLabel* unitLab(int row) const { return units_[static_cast<std::size_t>(row)]; }
    ui::GPopUpButton* popButton() const { return popButton_; }
    ui::GPopUpButton* extraList(int i) const { return lists_[static_cast<std::size_t>(i)]; }
    QLabel* extraListTitle(int i) const { return listTitles_[static_cast<std::size_t>(i)]; }
    GroupBadge* valueName() const { return valueName_; }

    // User actions of the rows and the lists.
    void ModleViewAction(ui::HYSlider* sender);
    // The keyboard on a row's slider: the stored value moves `steps` steps of the row's grid.
    void stepRow(std::size_t row, int steps);
    void textFieldChange(ui::YJTextField* sender);
    virtual void popupButtonChange(ui::GPopUpButton* sender);

signals:
    // The block changed; the hub reads it on the next turn of the event loop.
    void SelfDataChange();

protected:
    void paintEvent(QPaintEvent* event) override;
    // Puts the names the pedal reports for its user slots into the model list from
    // position `first` on, and redraws the list.
    void setUserSlotNames(int first, const QStringList& names);
    // Shows `name` at a model-list position (an emptied user slot).
    void renameModel(int position, const QString& name);
    // Puts a control to the right of the model list (the AMP panel's import button).
    void addBesideModelList(QWidget* widget);

private:
    void buildControls();
    void addListRows(QGridLayout* grid, int firstGridRow);
    void addParameterRows(QGridLayout* grid, int firstGridRow);
    int groupOfModel(std::uint32_t modelNumber) const;
    void applyGroup(int group);
    void copyReport(const std::vector<std::uint32_t>& values, int group);
    void redraw();
    const RowSpec* rowSpec(std::size_t row) const;

    ModuleTable table_;
    std::vector<std::uint32_t> para_;
    int group_ = 0;
    std::vector<ui::HYSlider*> sliders_;
    std::vector<ui::YJTextField*> fields_;
    std::vector<QLabel*> titles_;
    std::vector<QLabel*> units_;
    std::vector<ui::GPopUpButton*> lists_;
    std::vector<QLabel*> listTitles_;
    ui::GPopUpButton* popButton_ = nullptr;
    GroupBadge* valueName_ = nullptr;
};

}  // namespace quorvex
