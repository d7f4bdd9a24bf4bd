#include "state_check.h"

#include "app_delegate.h"
#include "editor_window.h"
#include "effect_chain.h"
#include "g_pop_up_button.h"
#include "module_panel.h"
#include "preset_record.h"
#include "root_view_controller.h"
#include "virtual_pedal.h"

#include <algorithm>

namespace quorvex::soak {
namespace {

std::string valueText(std::uint32_t v) { return std::to_string(v); }

std::string moduleText(std::uint32_t moduleNumber) {
    return moduleNumber < kModuleCount ? moduleName(static_cast<Module>(moduleNumber)) : "module " + valueText(moduleNumber);
}

// The shown values of a module against a block of the pedal's, one sentence per value
// that differs; `pedalSide` and `editorSide` say which copies are meant ("now",
// "in preset 004B", "when it was saved").
void compareModule(Module m, const std::vector<ShownValue>& shown, const std::vector<std::uint32_t>& pedalBlock,
                   const std::string& pedalSide, const std::string& editorSide, std::vector<std::string>& out) {
    for (const ShownValue& v : shown) {
        const std::uint32_t held = static_cast<std::size_t>(v.element) < pedalBlock.size() ? pedalBlock[v.element] : 0;
        if (held == v.value) continue;
        out.push_back(std::string(moduleName(m)) + " " + v.name + ": " + valueText(held) + " on the pedal " + pedalSide +
                      ", " + valueText(v.value) + " in the editor " + editorSide + ".");
    }
}

std::vector<std::uint32_t> pedalBlock(const ModuleBlock& block) { return {block.begin(), block.end()}; }

void compareOrder(const std::array<std::uint32_t, 18>& pedalChain, const std::array<std::uint32_t, kModuleCount>& order,
                  const std::string& pedalSide, const std::string& editorSide, std::vector<std::string>& out) {
    for (std::size_t p = 0; p < order.size(); ++p) {
        const std::uint32_t held = pedalChain[p] - 1;
        if (held == order[p]) continue;
        out.push_back("Chain place " + valueText(static_cast<std::uint32_t>(p + 1)) + ": " + moduleText(held) +
                      " on the pedal " + pedalSide + ", " + moduleText(order[p]) + " in the editor " + editorSide + ".");
    }
}

}  // namespace

std::vector<ShownValue> shownValues(const ModulePanel& panel) {
    const std::vector<std::uint32_t> block = panel.block();
    std::vector<ShownValue> shown{{0, block[0], "on/off"}, {1, block[1], "model"}};
    const ModuleTable& table = panel.table();
    for (const RowSpec& row : table.groups[static_cast<std::size_t>(panel.currentGroup())].rows) {
        const QString caption = row.title.isEmpty() ? row.unit : row.title;
        shown.push_back({row.element, block[static_cast<std::size_t>(row.element)], caption.toStdString()});
    }
    for (std::size_t i = 0; i < table.lists.size(); ++i) {
        const ui::GPopUpButton* list = panel.extraList(static_cast<int>(i));
        if (list->isHidden()) continue;
        const int element = table.lists[i].element;
        shown.push_back({element, block[static_cast<std::size_t>(element)], list->accessibleName().toStdString()});
    }
    return shown;
}

SavedSound soundShown(const EditorWindow& window) {
    SavedSound sound;
    for (int m = 0; m < kModuleCount; ++m) sound.modules[static_cast<std::size_t>(m)] = shownValues(*window.panel(static_cast<Module>(m)));
    sound.order = window.rootViewController()->effectChain().effectChainOrder();
    return sound;
}

std::vector<std::string> compareLiveSound(const pedal::VirtualPedal& pedal, const EditorWindow& window) {
    std::vector<std::string> out;
    const RootViewController& root = *window.rootViewController();
    const int current = pedal.currentPreset();
    if (current != root.selectedCell())
        out.push_back("Current preset: the pedal plays " + slotLabel(current) + ", the editor shows " +
                      slotLabel(root.selectedCell()) + ".");
    const pedal::LiveSound live = pedal.liveSound();
    const SavedSound shown = soundShown(window);
    for (int m = 0; m < kModuleCount; ++m) {
        const auto module = static_cast<Module>(m);
        compareModule(module, shown.modules[static_cast<std::size_t>(m)], pedalBlock(live.module(module)), "now", "now", out);
        // The chain's lamp of the module follows the module's own on/off value.
        const bool pedalOn = live.module(module)[0] != 0;
        if (root.effectChain().isModuleOn(m) != pedalOn)
            out.push_back(std::string(moduleName(module)) + " is " + (pedalOn ? "on" : "off") +
                          " on the pedal, but its chain lamp in the editor is " + (pedalOn ? "dark." : "lit."));
    }
    compareOrder(live.chain, shown.order, "now", "now", out);
    return out;
}

std::vector<std::string> compareStoredPresets(const pedal::VirtualPedal& pedal, AppDelegate& hub,
                                              const EditorWindow& window, const std::map<int, SavedSound>& saves) {
    std::vector<std::string> out;
    const PresetStore& store = hub.HidDevece()->presets();
    const QStringList entries = window.rootViewController()->presetNameArr();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const PresetRecord held = pedal.record(slot);
        const PresetRecord& copy = store.record(slot);
        const std::string label = slotLabel(slot);
        const auto differing = std::count_if(held.begin(), held.end(),
                                             [&, i = std::size_t{0}](std::uint8_t b) mutable { return b != copy[i++]; });
        if (differing > 0) {
            const auto first = std::mismatch(held.begin(), held.end(), copy.begin()).first - held.begin();
            out.push_back("Preset " + label + ": the editor's copy differs from the pedal's in " + valueText(static_cast<std::uint32_t>(differing)) +
                          " bytes, the first at byte " + valueText(static_cast<std::uint32_t>(first)) + ".");
        }
        const std::string entry = presetDisplayText(slot, recordName(held));
        if (slot < entries.size() && entries.at(slot).toStdString() != entry)
            out.push_back("Preset " + label + ": the pedal names it \"" + entry + "\", the editor's list \"" +
                          entries.at(slot).toStdString() + "\".");
    }
    for (const auto& [slot, sound] : saves) {
        const PresetRecord held = pedal.record(slot);
        const std::string where = "in preset " + slotLabel(slot);
        for (int m = 0; m < kModuleCount; ++m) {
            const auto module = static_cast<Module>(m);
            const auto values = moduleValuesFromRecord(held, module);
            compareModule(module, sound.modules[static_cast<std::size_t>(m)], values, where, "when it was saved", out);
        }
        compareOrder(chainFromRecord(held), sound.order, where, "when it was saved", out);
    }
    return out;
}

}  // namespace quorvex::soak
