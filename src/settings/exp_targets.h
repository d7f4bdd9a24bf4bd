#pragma once
#include <array>
#include <cstdint>

namespace quorvex::settings {

// What the two expression inputs (0 EXP, 1 EXP2) control: a module 0..8 and one of its
// targets. A parameter is remembered per input and module, so going back to a module
// shows the parameter last chosen there.
class ExpTargets {
public:
    static constexpr std::array<std::uint32_t, 9> kTargetCounts = {10, 3, 6, 2, 4, 14, 12, 6, 4};
    using Block = std::array<std::uint32_t, 7>;

    static bool validTarget(std::uint32_t module, std::uint32_t parameter) {
        return module < kTargetCounts.size() && parameter < kTargetCounts[module];
    }

    // The tab EXP (0) or EXP2 (1): an input to edit; ends no merge.
    void chooseInput(int input) { expselect_ = input == 1 ? 1 : 0; }
    // A module 0..8 for the input being edited; ends its merge.
    void chooseModule(std::uint32_t module);
    // A parameter of the input's module; false (nothing changes) when the module has no
    // such target.
    bool chooseParameter(std::uint32_t parameter);

    // A reported block or a loaded preset (elements 1..4).
    void changedModeValue(const Block& values);

    int expselect() const { return expselect_; }
    std::uint32_t module(int input) const { return modeselect_[index(input)]; }
    // The parameter that counts for the input at its current module.
    std::uint32_t parameter(int input) const;

    // Set by a new module or parameter; the hub ends the input's merge and clears it.
    bool MakeExitMergeFlag() const { return MakeExitMergeFlag_; }
    void clearExitMerge() { MakeExitMergeFlag_ = false; }

private:
    static std::size_t index(int input) { return input == 1 ? 1 : 0; }
    void setParameter(int input, std::uint32_t parameter);

    int expselect_ = 0;
    std::array<std::uint32_t, 2> modeselect_{};
    std::array<std::array<std::uint32_t, 9>, 2> valueselect_{};
    // A reported module beyond the nine has no row; its parameter is kept here so that the
    // block goes back as it came.
    std::array<std::uint32_t, 2> outsideParameter_{};
    bool MakeExitMergeFlag_ = false;
};

// The EXP VOL range (0..100 each) and switch. An edit keeps minimum <= maximum, the
// moved end winning; reported values are taken as they come.
struct ExpVolRange {
    std::uint32_t minimum = 0;
    std::uint32_t maximum = 0;
    std::uint32_t on = 0;

    void setMaximum(std::uint32_t v) {
        maximum = v;
        if (maximum < minimum) minimum = maximum;
    }
    void setMinimum(std::uint32_t v) {
        minimum = v;
        if (maximum < minimum) maximum = minimum;
    }
};

// Elements 5 and 6 both at this value: the block carries no volume range (a loaded preset).
inline constexpr std::uint32_t kNoVolumeRange = 200;

}  // namespace quorvex::settings
