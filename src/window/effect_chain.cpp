#include "effect_chain.h"

#include <algorithm>

namespace quorvex {

namespace {
constexpr std::uint32_t kCab = 3;
constexpr std::uint32_t kLastModule = 8;
}  // namespace

EffectChain::EffectChain(QObject* parent) : QObject(parent) {}

int EffectChain::currentSelectMode() const {
    for (int p = kPositions - 1; p >= 0; --p)
        if (isSelected(p))
            return p;
    return -1;
}

bool EffectChain::isSelected(int position) const {
    return validPosition(position) &&
           effectChainOrder_[static_cast<std::size_t>(position)] == static_cast<std::uint32_t>(shownModule_);
}

bool EffectChain::isOn(int position) const {
    return validPosition(position) && effectChainStatus_[static_cast<std::size_t>(position)] != 0;
}

bool EffectChain::isModuleOn(int module) const {
    for (int p = 0; p < kPositions; ++p)
        if (effectChainOrder_[static_cast<std::size_t>(p)] == static_cast<std::uint32_t>(module) && isOn(p))
            return true;
    return false;
}

void EffectChain::click(int position) {
    if (!validPosition(position))
        return;
    if (!isSelected(position)) {
        SlectAction(position);
        return;
    }
    setModuleOn(effectChainOrder_[static_cast<std::size_t>(position)], !isOn(position));
    emit changed();
    OnOffAction(position);
}

void EffectChain::SlectAction(int position) {
    if (!validPosition(position))
        return;
    const std::uint32_t module = effectChainOrder_[static_cast<std::size_t>(position)];
    showModule(static_cast<int>(module));
    // Opening a module that is off switches it on.
    const bool switchOn = !isOn(position);
    if (switchOn)
        setModuleOn(module, true);
    emit changed();
    if (switchOn)
        OnOffAction(position);
    emit NeedUpdataMcuUiDataA(module + 1, 0);
}

void EffectChain::OnOffAction(int position) {
    if (!validPosition(position))
        return;
    const auto p = static_cast<std::size_t>(position);
    emit NineModeOnOffDataChange(static_cast<int>(effectChainOrder_[p]), effectChainStatus_[p]);
}

void EffectChain::DropAction(int source, int target) {
    // A block dropped back onto its own place moves nothing.
    if (!validPosition(source) || !validPosition(target) || source == target)
        return;
    const auto s = static_cast<std::size_t>(source);
    const auto t = static_cast<std::size_t>(target);
    const std::uint32_t module = effectChainOrder_[s];
    const std::uint8_t status = effectChainStatus_[s];
    if (t < s) {
        std::copy_backward(effectChainOrder_.begin() + target, effectChainOrder_.begin() + source,
                           effectChainOrder_.begin() + source + 1);
        std::copy_backward(effectChainStatus_.begin() + target, effectChainStatus_.begin() + source,
                           effectChainStatus_.begin() + source + 1);
    } else {
        std::copy(effectChainOrder_.begin() + source + 1, effectChainOrder_.begin() + target + 1,
                  effectChainOrder_.begin() + source);
        std::copy(effectChainStatus_.begin() + source + 1, effectChainStatus_.begin() + target + 1,
                  effectChainStatus_.begin() + source);
    }
    effectChainOrder_[t] = module;
    effectChainStatus_[t] = status;
    // The panel shown stays: its block has only moved.
    emit changed();
    emit EffectChainChangeAction(effectChainOrder_, effectChainStatus_);
}

void EffectChain::changedModeValue(const std::array<std::uint32_t, 18>& values) {
    Order order{};
    Status status{};
    std::size_t cab = kLastModule;
    for (std::size_t p = 0; p < kPositions; ++p) {
        order[p] = values[p] - 1;
        status[p] = values[kPositions + p] == 0 ? 1 : 0;
        if (order[p] == kCab)
            cab = p;
    }
    // While the two outputs' CAB settings differ, CAB is shown last.
    if (cab < kLastModule && CabSimThtuStatus_) {
        std::rotate(order.begin() + static_cast<std::ptrdiff_t>(cab), order.begin() + static_cast<std::ptrdiff_t>(cab) + 1,
                    order.end());
        std::rotate(status.begin() + static_cast<std::ptrdiff_t>(cab), status.begin() + static_cast<std::ptrdiff_t>(cab) + 1,
                    status.end());
    }
    // From the first module number that names no module on, the positions keep what
    // they held, so that what is shown is what a later move sends.
    for (std::size_t p = 0; p < kPositions && order[p] <= kLastModule; ++p) {
        effectChainOrder_[p] = order[p];
        effectChainStatus_[p] = status[p];
    }
    emit changed();
}

void EffectChain::changedModeStatus(int module, std::int8_t status) {
    if (module < 0 || module > static_cast<int>(kLastModule))
        return;
    setModuleOn(static_cast<std::uint32_t>(module), status != 0);
    emit changed();
}

void EffectChain::setFiveModeCurrentSelect(int module) {
    if (module < 0 || module > static_cast<int>(kLastModule))
        return;
    showModule(module);
    emit changed();
}

void EffectChain::setModuleOn(std::uint32_t module, bool on) {
    for (std::size_t p = 0; p < kPositions; ++p)
        if (effectChainOrder_[p] == module)
            effectChainStatus_[p] = on ? 1 : 0;
}

void EffectChain::showModule(int module) {
    shownModule_ = module;
    emit moduleSelected(module);
}

}  // namespace quorvex
