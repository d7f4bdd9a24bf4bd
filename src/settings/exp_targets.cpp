#include "exp_targets.h"

namespace quorvex::settings {

void ExpTargets::chooseModule(std::uint32_t module) {
    if (module >= kTargetCounts.size()) return;
    modeselect_[index(expselect_)] = module;
    MakeExitMergeFlag_ = true;
}

bool ExpTargets::chooseParameter(std::uint32_t parameter) {
    const std::uint32_t m = module(expselect_);
    if (!validTarget(m, parameter)) return false;
    valueselect_[index(expselect_)][m] = parameter;
    MakeExitMergeFlag_ = true;
    return true;
}

void ExpTargets::setParameter(int input, std::uint32_t parameter) {
    const std::uint32_t m = module(input);
    if (m < kTargetCounts.size())
        valueselect_[index(input)][m] = parameter;
    else
        outsideParameter_[index(input)] = parameter;
}

std::uint32_t ExpTargets::parameter(int input) const {
    const std::uint32_t m = module(input);
    return m < kTargetCounts.size() ? valueselect_[index(input)][m] : outsideParameter_[index(input)];
}

void ExpTargets::changedModeValue(const Block& e) {
    modeselect_[0] = e[1];
    setParameter(0, e[2]);
    modeselect_[1] = e[3];
    setParameter(1, e[4]);
}

}  // namespace quorvex::settings
