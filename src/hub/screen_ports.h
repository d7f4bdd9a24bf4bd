#pragma once
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <vector>

namespace quorvex {

// The hub talks to the screens only through these ports, so that it can be tested
// without widgets and each screen plugs in without the hub knowing its class.

// One effect-module panel.
class ModulePanelPort {
public:
    virtual ~ModulePanelPort() = default;
    // The pedal reported the module's block: redraw, report nothing back.
    virtual void changedModeValue(const std::vector<std::uint32_t>& values) = 0;
    // The chain editor switched the module on or off: store and report.
    virtual void ModeOnOffChange(std::uint32_t status) = 0;
    // The panel's block, copied whole by the hub when the panel reports a change.
    virtual std::vector<std::uint32_t> block() const = 0;
};

// The preset side of the main window.
class PresetListPort {
public:
    virtual ~PresetListPort() = default;
    virtual void UpdataPresetListName(const QStringList& entries) = 0;
    virtual void UpdataPresetListIndex(int slot, const QString& entry) = 0;
    // Makes slot current; the list clears the edited flag through the hub.
    virtual void UpdataCurrentPresetSelect(int slot) = 0;
    virtual int selectedCell() const = 0;
    // Redraws the rows, for the edited mark.
    virtual void reloadData() = 0;
    // The chain's 18 values: positions then module flags.
    virtual void changedModeValue(const std::array<std::uint32_t, 18>& chain) = 0;
    virtual void changedModeStatus(int module, std::int8_t status) = 0;
    // The pedal edits this module (0..8).
    virtual void setFiveModeCurrentSelect(int module) = 0;
    // Preset volume 0..100: the presetVolue field and the slider at v / 100.
    virtual void setPresetVolume(int volume) = 0;
    virtual void UpdataExpVol(std::int8_t volume) = 0;
    virtual void UpdataExpStatus(std::uint16_t expModule, std::uint16_t expParameter, std::uint16_t exp2Module,
                                 std::uint16_t exp2Parameter) = 0;
    virtual void PresetUpdataExpStatus(bool expMerged, bool exp2Merged) = 0;
    // The merge marks of EXP and EXP2 as last set.
    virtual std::array<bool, 2> isExpControlMerge() const = 0;
    virtual void UpdataCabStatus(bool left, bool right) = 0;
    // Takes the global panels (system, CTRL, expression) off the window.
    virtual void removeGlobalPanels() = 0;
};

// What the preset side of the main window asks of the hub.
class PresetHubPort {
public:
    virtual ~PresetHubPort() = default;
    virtual void ChangeCurrentPreset(int slot) = 0;
    virtual void SavePresetChange(int slot, const QString& name) = 0;
    virtual void SetIsChangeGuiData(bool changed) = 0;
    virtual bool GetIsChangeGuiData() const = 0;
    virtual void NeedUpdataMcuUiDataA(std::uint32_t a, std::uint32_t b) = 0;
    // The preset-volume slider moved to value 0.0..1.0.
    virtual void PresetVolChange(double value) = 0;
};

}  // namespace quorvex
