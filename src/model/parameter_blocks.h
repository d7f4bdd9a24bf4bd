#pragma once
#include <array>
#include <cstdint>
#include <span>

namespace quorvex {

// The nine effect modules in chain-independent order. On the wire and in the chain
// record a module travels as its number + 1.
enum class Module : int { Fx = 0, Ds, Amp, Cab, Ns, Eq, Mod, Delay, Reverb };
inline constexpr int kModuleCount = 9;
inline constexpr int kMaxModuleElements = 11;

// Elements each module block holds (CAB has room for 8 but uses 6; its event hands out 8).
inline constexpr std::array<int, kModuleCount> kModuleElements = {6, 5, 8, 6, 5, 11, 7, 9, 6};
inline constexpr std::array<int, kModuleCount> kModuleEventValues = {6, 5, 8, 8, 5, 11, 7, 9, 6};

const char* moduleName(Module module);  // "FX/COMP", "DS/OD", ...

using ModuleBlock = std::array<std::uint32_t, kMaxModuleElements>;

struct IrUploadState {
    std::uint8_t slot = 0;
    std::uint8_t chunk = 0;
    bool pending = false;
    bool done = false;
    bool active = false;  // an upload is under way: a late acknowledgement after it gave up is ignored
    std::array<std::uint32_t, 512> samples{};
    std::array<std::uint8_t, 11> name{};
};

struct AmpUploadState {
    std::uint8_t slot = 0;
    std::uint8_t chunk = 0;
    bool active = false;
    bool pending = false;  // the current chunk waits for the scheduler, as with IrUpload
    std::array<std::uint32_t, 512> words{};
    std::array<std::uint8_t, 15> name{};
};

struct BackupXferState {
    std::uint32_t kind = 0;
    std::uint32_t number = 0;
    std::uint32_t part = 0;
    std::array<std::uint8_t, 512> data{};
    bool done = false;
};

// Every value the link encodes and the dispatcher fills. Guarded by the link lock.
struct ParameterBlocks {
    std::array<ModuleBlock, kModuleCount> modules{};  // FX_Block .. REVERB_Block

    std::array<std::uint32_t, 10> SYSTEM_Block{};
    std::array<std::uint32_t, 10> GLBI_EQ_Block{};  // the wire bytes, from an edit or a report alike
    std::uint32_t FSMODE_Value = 0;
    std::array<std::uint32_t, 11> CTRL_Block{};
    std::array<std::uint32_t, 7> EXP_Block{};
    std::uint32_t EXP_MERGE_Value = 0;
    std::array<std::uint32_t, 2> MERGE_Status{};
    std::uint32_t PRESET_VOL_Value = 0;
    std::array<std::uint32_t, 18> CHAIN_Block{};
    std::array<std::uint32_t, 2> CURRENT_Preset{};
    std::array<std::uint32_t, 3> UICMD_Block{};
    std::array<std::uint32_t, 18> SAVE_Block{};
    std::array<std::uint8_t, 512> PRESET_Record_Out{};
    std::array<std::uint8_t, 512> NOW_PRESET_Block{};
    std::array<std::uint8_t, 150> IR_NAME_Block{};
    std::array<std::uint8_t, 150> AMP_NAME_Block{};

    // Transfer state of the multi-frame exchanges.
    std::int32_t WritePresetIndex = -1;
    std::uint32_t SaveAnswers = 0;  // save confirmations (168) received, for a writer waiting on one
    IrUploadState IrUpload;
    AmpUploadState AmpUpload;
    std::uint8_t IrDeleteSlot = 0;
    BackupXferState BackupXfer;

    ModuleBlock& module(Module m) { return modules[static_cast<int>(m)]; }
    const ModuleBlock& module(Module m) const { return modules[static_cast<int>(m)]; }
};

}  // namespace quorvex
