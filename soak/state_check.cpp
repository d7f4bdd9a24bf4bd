#include "state_check.h"

#include "app_delegate.h"
#include "editor_window.h"
#include "effect_chain.h"
#include "g_pop_up_button.h"
#include "module_panel.h"
#include "root_view_controller.h"
#include "virtual_pedal.h"

#include <algorithm>

namespace quorvex::soak {
namespace {

std::string number(std::size_t v) { return std::to_string(v); }

std::string moduleText(std::uint32_t moduleNumber) {
    return moduleNumber < kModuleCount ? moduleName(static_cast<Module>(moduleNumber)) : "module " + number(moduleNumber);
}

// What the panel calls an element: the caption of a row or list that edits it.
std::string elementCaption(const ModulePanel& panel, int element) {
    if (element == 0) return "on/off";
    if (element == 1) return "model";
    const ModuleTable& table = panel.table();
    for (std::size_t i = 0; i < table.lists.size(); ++i)
        if (table.lists[i].element == element) return panel.extraList(static_cast<int>(i))->accessibleName().toStdString();
    for (const ModelGroup& group : table.groups)
        for (const RowSpec& row : group.rows)
            if (row.element == element) return (row.title.isEmpty() ? row.unit : row.title).toStdString();
    return "element " + number(static_cast<std::size_t>(element));
}

// The shown elements of a module against a block of the pedal's, one sentence per
// element that differs; `pedalSide` and `editorSide` say which copies are meant ("now",
// "in preset 004B", "when it was saved").
template <typename Block>
void compareModule(const ModulePanel& panel, const ModuleShown& shown, const Block& pedalBlock, const std::string& pedalSide,
                   const std::string& editorSide, std::vector<std::string>& out) {
    for (std::size_t e = 0; e < shown.values.size() && e < pedalBlock.size(); ++e) {
        if ((shown.shown >> e & 1u) == 0 || pedalBlock[e] == shown.values[e]) continue;
        out.push_back(std::string(moduleName(panel.module())) + " " + elementCaption(panel, static_cast<int>(e)) + ": " +
                      number(pedalBlock[e]) + " on the pedal " + pedalSide + ", " + number(shown.values[e]) +
                      " in the editor " + editorSide + ".");
    }
}

void compareOrder(const std::array<std::uint32_t, 18>& pedalChain, const std::array<std::uint32_t, kModuleCount>& order,
                  const std::string& pedalSide, const std::string& editorSide, std::vector<std::string>& out) {
    for (std::size_t p = 0; p < order.size(); ++p) {
        const std::uint32_t held = pedalChain[p] - 1;
        if (held == order[p]) continue;
        out.push_back("Chain place " + number(p + 1) + ": " + moduleText(held) + " on the pedal " + pedalSide + ", " +
                      moduleText(order[p]) + " in the editor " + editorSide + ".");
    }
}

}  // namespace

ModuleShown moduleShown(const ModulePanel& panel) {
    ModuleShown module;
    const std::vector<std::uint32_t> block = panel.block();
    std::copy_n(block.begin(), std::min(block.size(), module.values.size()), module.values.begin());
    module.shown = 0b11;  // on/off and model
    const ModuleTable& table = panel.table();
    for (const RowSpec& row : table.groups[static_cast<std::size_t>(panel.currentGroup())].rows) module.shown |= 1u << row.element;
    for (std::size_t i = 0; i < table.lists.size(); ++i)
        if (!panel.extraList(static_cast<int>(i))->isHidden()) module.shown |= 1u << table.lists[i].element;
    return module;
}

SoundShown soundShown(const EditorWindow& window) {
    SoundShown sound;
    for (int m = 0; m < kModuleCount; ++m) sound.modules[static_cast<std::size_t>(m)] = moduleShown(*window.panel(static_cast<Module>(m)));
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
    const SoundShown shown = soundShown(window);
    for (int m = 0; m < kModuleCount; ++m) {
        const auto module = static_cast<Module>(m);
        compareModule(*window.panel(module), shown.modules[static_cast<std::size_t>(m)], live.module(module), "now", "now", out);
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
                                              const EditorWindow& window, const SavedSounds& saves) {
    std::vector<std::string> out;
    const PresetStore& store = hub.HidDevece()->presets();
    const QStringList entries = window.rootViewController()->presetNameArr();
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const PresetRecord held = pedal.record(slot);
        const PresetRecord& copy = store.record(slot);
        const std::string where = "in preset " + slotLabel(slot);
        std::size_t differing = 0;
        for (std::size_t i = 0; i < held.size(); ++i) differing += held[i] != copy[i];
        if (differing > 0) {
            const auto first = std::mismatch(held.begin(), held.end(), copy.begin()).first - held.begin();
            out.push_back("Preset " + slotLabel(slot) + ": the editor's copy differs from the pedal's in " + number(differing) +
                          " bytes, the first at byte " + number(static_cast<std::size_t>(first)) + ".");
        }
        const std::string entry = presetDisplayText(slot, recordName(held));
        if (slot < entries.size() && entries.at(slot).toStdString() != entry)
            out.push_back("Preset " + slotLabel(slot) + ": the pedal names it \"" + entry + "\", the editor's list \"" +
                          entries.at(slot).toStdString() + "\".");
        const std::optional<SoundShown>& saved = saves[static_cast<std::size_t>(slot)];
        if (!saved) continue;
        for (int m = 0; m < kModuleCount; ++m) {
            const auto module = static_cast<Module>(m);
            compareModule(*window.panel(module), saved->modules[static_cast<std::size_t>(m)], moduleValuesFromRecord(held, module),
                          where, "when it was saved", out);
        }
        compareOrder(chainFromRecord(held), saved->order, where, "when it was saved", out);
    }
    return out;
}

}  // namespace quorvex::soak
