#pragma once
#include <QObject>

#include <array>
#include <cstdint>

namespace quorvex {

// The order of the nine effect modules in the pedal's signal chain and which of them
// are on, as the main window's row of chain blocks shows it. No widgets: the blocks
// draw this state, the user's clicks and drops arrive here, and what must reach the
// pedal leaves as the signals below, which the window wires to the hub.
//
// A block is selected when it holds the module whose panel is shown, so the selection
// always tells the truth about the panel, even in a chain that names a module twice.
class EffectChain : public QObject {
    Q_OBJECT
public:
    static constexpr int kPositions = 9;
    using Order = std::array<std::uint32_t, kPositions>;
    using Status = std::array<std::uint8_t, kPositions>;

    explicit EffectChain(QObject* parent = nullptr);

    // Module number at each position (position 0 is the start of the chain), and 1 for
    // each position whose module is on. At start: 0..8, all off.
    const Order& effectChainOrder() const { return effectChainOrder_; }
    const Status& effectChainStatus() const { return effectChainStatus_; }
    // The module whose panel is shown, and the position of its block (the last one
    // holding it; -1 when the chain does not hold it).
    int shownModule() const { return shownModule_; }
    int currentSelectMode() const;
    bool isSelected(int position) const;
    bool isOn(int position) const;
    // The module's on state as the chain holds it (false when the chain lacks it).
    bool isModuleOn(int module) const;

    // Set while the two outputs' cabinet simulation differs; a chain reported
    // meanwhile shows CAB last.
    void setCabSimThtuStatus(bool split) { CabSimThtuStatus_ = split; }
    bool CabSimThtuStatus() const { return CabSimThtuStatus_; }

    // The user. A click on a block that is not selected opens its module (and switches
    // it on if it was off); a click on the selected block switches its module on or off.
    void click(int position);
    void SlectAction(int position);
    void OnOffAction(int position);
    // Moves the module at `source` to `target`; the modules between shift one place.
    void DropAction(int source, int target);

    // The pedal, or a stored preset shown: 18 values as on the wire.
    void changedModeValue(const std::array<std::uint32_t, 18>& values);
    void changedModeStatus(int module, std::int8_t status);
    // The pedal shows this module on its display: select it, send nothing.
    void setFiveModeCurrentSelect(int module);

signals:
    // Something the blocks draw has changed.
    void changed();
    // Show this module's panel (0..8).
    void moduleSelected(int module);
    // To the hub: the module was switched on or off by the chain.
    void NineModeOnOffDataChange(int module, std::uint8_t status);
    // To the hub: the new order and on states, for command 160.
    void EffectChainChangeAction(const quorvex::EffectChain::Order& order, const quorvex::EffectChain::Status& status);
    // To the hub: the page notice, the module the editor now shows (module + 1, 0).
    void NeedUpdataMcuUiDataA(std::uint32_t a, std::uint32_t b);

private:
    static bool validPosition(int position) { return position >= 0 && position < kPositions; }
    void setModuleOn(std::uint32_t module, bool on);
    void showModule(int module);

    Order effectChainOrder_{0, 1, 2, 3, 4, 5, 6, 7, 8};
    Status effectChainStatus_{};
    int shownModule_ = 0;
    bool CabSimThtuStatus_ = false;
};

}  // namespace quorvex
