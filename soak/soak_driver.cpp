#include "soak_driver.h"

#include "editor_window.h"
#include "effect_chain.h"
#include "event_wait.h"
#include "g_pop_up_button.h"
#include "hy_slider.h"
#include "module_panel.h"
#include "root_view_controller.h"
#include "save_window_controller.h"
#include "virtual_pedal.h"
#include "yj_text_field.h"

#include <QTest>

#include <cmath>

namespace quorvex::soak {
namespace {

// How often each operation is drawn, in the order of Operation: mostly turning
// controls, now and then a preset, a save or a rearranged chain.
constexpr std::array<double, kOperationKinds> kWeights = {34, 10, 8, 3, 10, 9, 6, 7, 9, 4};

// Pauses in milliseconds: between two operations (always more than one turn of the
// link's send ring, about 270 ms, so that what a guitarist does reaches the pedal in
// the order it was done), between the steps of a drag, and while the save dialog is read.
constexpr int kGapLow = 400, kGapHigh = 900;
constexpr int kDragStepLow = 15, kDragStepHigh = 60;
constexpr int kDialogLow = 500, kDialogHigh = 1200;
// A pick after the save dialog follows the dialog this much later, plus a margin.
constexpr int kDeferredPickWait = RootViewController::kDeferredPickMs + 200;
// Save dialogs opened by a pick in an edited preset that end with SAVE.
constexpr double kSaveFromPrompt = 0.35;

const std::vector<RowSpec>& layoutRows(const ModulePanel& panel) {
    return panel.table().groups[static_cast<std::size_t>(panel.currentGroup())].rows;
}

}  // namespace

const char* operationName(Operation operation) {
    static constexpr std::array<const char*, kOperationKinds> names = {
        "slider drags", "typed numbers", "model picks", "list picks", "module switches",
        "preset picks", "saves", "chain moves", "pedal knobs", "pedal footswitches"};
    return names[static_cast<std::size_t>(operation)];
}

SoakDriver::SoakDriver(EditorWindow& window, pedal::VirtualPedal& pedal, std::uint32_t seed)
    : window_(window), pedal_(pedal), random_(seed) {
    window_.rootViewController()->setSaveWindowRunner([this](SaveWindowController& dialog) { answerSaveDialog(dialog); });
}

std::size_t SoakDriver::slotsSaved() const {
    return static_cast<std::size_t>(std::count_if(saves_->begin(), saves_->end(), [](const auto& s) { return s.has_value(); }));
}

int SoakDriver::uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

bool SoakDriver::chance(double p) { return std::bernoulli_distribution(p)(random_); }

void SoakDriver::step() {
    std::discrete_distribution<int> pick(kWeights.begin(), kWeights.end());
    const auto operation = static_cast<Operation>(pick(random_));
    const auto module = static_cast<Module>(uniform(0, kModuleCount - 1));
    switch (operation) {
    case Operation::SliderDrag:
    case Operation::TypedNumber:
    case Operation::ModelPick:
    case Operation::ListPick: {
        ModulePanel& panel = openModule(module);
        // A layout without rows or lists gets a slider drag, and one without rows a new model.
        const bool done = (operation == Operation::TypedNumber && typeNumber(panel)) ||
                          (operation == Operation::ListPick && pickListEntry(panel)) ||
                          (operation != Operation::ModelPick && dragSlider(panel));
        if (!done) pickModel(panel);
        break;
    }
    case Operation::ModuleSwitch: switchModule(); break;
    case Operation::PresetPick: pickPreset(); break;
    case Operation::Save:
        saveWanted_ = true;
        window_.rootViewController()->SaveButtonClick();
        saveWanted_ = false;
        break;
    case Operation::ChainMove: moveChain(); break;
    case Operation::PedalKnob: turnPedalKnob(); break;
    case Operation::PedalFootswitch:
        pedal_.selectPreset(uniform(0, kSlotCount - 1));
        count(Operation::PedalFootswitch);
        break;
    }
    pauseFor(uniform(kGapLow, kGapHigh));
}

// The module's panel comes up the way a guitarist brings it up: by clicking its chain
// block, which also switches a module that was off on.
ModulePanel& SoakDriver::openModule(Module module) {
    EffectChain& chain = window_.rootViewController()->effectChain();
    const auto number = static_cast<std::uint32_t>(module);
    if (chain.shownModule() != static_cast<int>(module)) {
        const auto& order = chain.effectChainOrder();
        for (int p = 0; p < EffectChain::kPositions; ++p) {
            if (order[static_cast<std::size_t>(p)] != number) continue;
            chain.click(p);
            pauseFor(uniform(150, 300));
            break;
        }
    }
    return *window_.panel(module);
}

bool SoakDriver::dragSlider(ModulePanel& panel) {
    const auto rows = static_cast<int>(layoutRows(panel).size());
    if (rows == 0) return false;
    ui::HYSlider* slider = panel.pSlider(uniform(0, rows - 1));
    double position = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
    for (int steps = uniform(1, 5); steps > 0; --steps) {
        slider->setValueByUser(position);
        pauseFor(uniform(kDragStepLow, kDragStepHigh));
        position = std::clamp(position + std::uniform_real_distribution<double>(-0.1, 0.1)(random_), 0.0, 1.0);
    }
    count(Operation::SliderDrag);
    return true;
}

bool SoakDriver::typeNumber(ModulePanel& panel) {
    const auto& rows = layoutRows(panel);
    if (rows.empty()) return false;
    const int row = uniform(0, static_cast<int>(rows.size()) - 1);
    const RowScale& scale = rows[static_cast<std::size_t>(row)].scale;
    // Now and then a little beyond either end, which the row holds to its range.
    const double span = scale.shownHigh() - scale.shownLow();
    double number = std::uniform_real_distribution<double>(scale.shownLow() - span / 10, scale.shownHigh() + span / 10)(random_);
    number = chance(0.5) ? std::round(number) : std::round(number * 10) / 10;
    ui::YJTextField* field = panel.pTextFieldVale(row);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QString::number(number));
    QTest::keyClick(field, Qt::Key_Return);
    count(Operation::TypedNumber);
    return true;
}

bool SoakDriver::pickModel(ModulePanel& panel) {
    ui::GPopUpButton* list = panel.popButton();
    // What the list does when a row is clicked: select it, then tell the panel.
    list->setIndexNumber(uniform(0, static_cast<int>(list->dataArray().size()) - 1));
    panel.popupButtonChange(list);
    count(Operation::ModelPick);
    return true;
}

bool SoakDriver::pickListEntry(ModulePanel& panel) {
    std::vector<ui::GPopUpButton*> shown;
    for (std::size_t i = 0; i < panel.table().lists.size(); ++i)
        if (!panel.extraList(static_cast<int>(i))->isHidden()) shown.push_back(panel.extraList(static_cast<int>(i)));
    if (shown.empty()) return false;
    ui::GPopUpButton* list = shown[static_cast<std::size_t>(uniform(0, static_cast<int>(shown.size()) - 1))];
    list->setIndexNumber(uniform(0, static_cast<int>(list->dataArray().size()) - 1));
    panel.popupButtonChange(list);
    count(Operation::ListPick);
    return true;
}

void SoakDriver::switchModule() {
    EffectChain& chain = window_.rootViewController()->effectChain();
    // Mostly the shown module on and off; otherwise another block opened.
    const int selected = chain.currentSelectMode();
    chain.click(selected >= 0 && chance(0.6) ? selected : uniform(0, EffectChain::kPositions - 1));
    count(Operation::ModuleSwitch);
}

void SoakDriver::pickPreset() {
    RootViewController& root = *window_.rootViewController();
    count(Operation::PresetPick);
    if (!root.tableViewShouldSelectRow(uniform(0, kSlotCount - 1))) pauseFor(kDeferredPickWait);
}

void SoakDriver::moveChain() {
    const int source = uniform(0, EffectChain::kPositions - 1);
    int target = uniform(0, EffectChain::kPositions - 2);
    if (target >= source) ++target;
    window_.rootViewController()->effectChain().DropAction(source, target);
    count(Operation::ChainMove);
}

void SoakDriver::turnPedalKnob() {
    const auto module = static_cast<Module>(uniform(0, kModuleCount - 1));
    const auto& rows = layoutRows(*window_.panel(module));
    count(Operation::PedalKnob);
    // A knob of the model on the pedal's display, or now and then the module's switch.
    if (rows.empty() || chance(0.15)) {
        pedal_.turnKnob(module, 0, pedal_.block(module)[0] != 0 ? 0 : 1);
        return;
    }
    const RowSpec& row = rows[static_cast<std::size_t>(uniform(0, static_cast<int>(rows.size()) - 1))];
    pedal_.turnKnob(module, row.element, row.scale.storedFromSlider(std::uniform_real_distribution<double>(0.0, 1.0)(random_)));
}

void SoakDriver::answerSaveDialog(SaveWindowController& dialog) {
    pauseFor(uniform(kDialogLow, kDialogHigh));
    if (!saveWanted_ && !chance(kSaveFromPrompt)) {
        dialog.cancel();
        return;
    }
    const int slot = uniform(0, kSlotCount - 1);
    dialog.setComboBoxindex(slot);
    dialog.setComboBoxSelectionName(randomName());
    (*saves_)[static_cast<std::size_t>(slot)] = soundShown(window_);
    count(Operation::Save);
    dialog.save();
}

QString SoakDriver::randomName() {
    // Letters of both cases, digits, spaces and a few characters a name cannot keep.
    static const QString characters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789  -!.");
    QString name;
    for (int n = uniform(0, 18); n > 0; --n) name += characters.at(uniform(0, static_cast<int>(characters.size()) - 1));
    return name;
}

}  // namespace quorvex::soak
