#include "current_sound.h"

namespace quorvex {
namespace {

// Whether a module's block holds the value of an element for the model it holds. DELAY
// carries element 6 for model 8 only and elements 7 and 8 for model 9 only; its other
// fields in a record belong to other models and keep what the record held.
bool holds(Module module, const ModuleBlock& block, std::size_t element) {
    if (module != Module::Delay || element < 6) return true;
    return element == 6 ? block[1] == 8 : block[1] == 9;
}

}  // namespace

PresetRecord CurrentSound::record(const ParameterBlocks& blocks) const {
    PresetRecord rec = base_;
    for (int m = 0; m < kModuleCount; ++m) {
        if (!changed_.test(static_cast<std::size_t>(m))) continue;
        const auto module = static_cast<Module>(m);
        const ModuleBlock& block = blocks.modules[static_cast<std::size_t>(m)];
        std::vector<std::uint32_t> values = moduleValuesFromRecord(rec, module);
        for (std::size_t e = 0; e < values.size(); ++e)
            if (holds(module, block, e)) values[e] = block[e];
        storeModuleValuesInRecord(rec, module, values);
    }
    const auto changed = [this](Part part) { return changed_.test(static_cast<std::size_t>(part)); };
    if (changed(Part::Chain)) storeChainInRecord(rec, blocks.CHAIN_Block);
    if (changed(Part::Volume)) rec[record::kPresetVolume] = static_cast<std::uint8_t>(blocks.PRESET_VOL_Value);
    if (changed(Part::Exp)) storeExpInRecord(rec, blocks.EXP_Block);
    if (changed(Part::Ctrl)) storeCtrlInRecord(rec, blocks.CTRL_Block);
    return rec;
}

}  // namespace quorvex
