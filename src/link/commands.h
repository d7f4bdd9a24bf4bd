#pragma once
#include <array>
#include <cstdint>

namespace quorvex {

// Block types of the encoder entry, each naming the block it fills.
enum class BlockType : int {
    FX = 0, DS, AMP, CAB, NS, EQ, MOD, DELAY, REVERB,
    SYSTEM = 9, FSMODE = 10, CTRL = 11, EXP = 12, UICMD = 13, CHAIN = 14, CURRENT = 15,
    PRESET_VOL = 16, EXP_MERGE = 17, SAVE = 18, RECORD_CURRENT = 19, RECORD_WRITE = 20, GLBI_EQ = 21,
};

namespace cmd {
inline constexpr std::uint8_t Start = 0, Hello = 224;
inline constexpr std::uint8_t UiCmd = 130, RecordCurrent = 131, IrNames = 133, NowPreset = 134, ExpMerge = 135;
inline constexpr std::uint8_t FsMode = 137, Fx = 144, Ds = 145, Amp = 147, Cab = 148, Ns = 149, Eq = 150;
inline constexpr std::uint8_t Mod = 151, Delay = 152, Reverb = 153, GlobalEq = 159, Chain = 160, System = 161;
inline constexpr std::uint8_t PresetVol = 162, Exp = 163, Ctrl = 164, PresetRecord = 165, CurrentPreset = 166;
inline constexpr std::uint8_t Save = 168, PresetStored = 169, BackupRead = 170, BackupWrite = 171;
inline constexpr std::uint8_t MergeStatus = 187, IrChunk = 225, AmpChunk = 226, AmpNames = 227;
inline constexpr std::uint8_t IrDelete = 228, RecordWrite = 229;
}  // namespace cmd

// The module block commands, in module order.
inline constexpr std::array<std::uint8_t, 9> kModuleCommands = {cmd::Fx,  cmd::Ds,  cmd::Amp,   cmd::Cab,   cmd::Ns,
                                                                cmd::Eq,  cmd::Mod, cmd::Delay, cmd::Reverb};

// The scheduler's fixed ring after the two start steps. The amp-model chunks (226)
// follow the impulse-response chunks, sent the same way.
inline constexpr std::array<std::uint8_t, 27> kSchedulerRing = {
    144, 145, 147, 148, 149, 150, 151, 152, 153, 130, 162, 160, 161, 159,
    163, 164, 168, 166, 225, 226, 228, 229, 131, 135, 137, 170, 171};

}  // namespace quorvex
