#pragma once
#include "pedal_memory.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorvex::pedal {

// Command numbers the pedal understands or sends.
namespace command {
inline constexpr std::uint8_t kStart = 0;
inline constexpr std::uint8_t kFocus = 130;
inline constexpr std::uint8_t kLoadRecord = 131;
inline constexpr std::uint8_t kIrNames = 133;
inline constexpr std::uint8_t kExpMerge = 135;
inline constexpr std::uint8_t kFsMode = 137;
inline constexpr std::uint8_t kGlobalEq = 159;
inline constexpr std::uint8_t kChain = 160;
inline constexpr std::uint8_t kSystem = 161;
inline constexpr std::uint8_t kVolume = 162;
inline constexpr std::uint8_t kExp = 163;
inline constexpr std::uint8_t kCtrl = 164;
inline constexpr std::uint8_t kPresetRecord = 165;
inline constexpr std::uint8_t kCurrentPreset = 166;
inline constexpr std::uint8_t kSave = 168;
inline constexpr std::uint8_t kPresetStored = 169;
inline constexpr std::uint8_t kBackupRead = 170;
inline constexpr std::uint8_t kBackupWrite = 171;
inline constexpr std::uint8_t kSendState = 224;
inline constexpr std::uint8_t kIrChunk = 225;
inline constexpr std::uint8_t kAmpChunk = 226;
inline constexpr std::uint8_t kAmpNames = 227;
inline constexpr std::uint8_t kIrClear = 228;
inline constexpr std::uint8_t kWritePreset = 229;
}  // namespace command

// Byte positions of the identity frame's payload (the answer to the start frame).
namespace identity {
inline constexpr std::size_t kPayloadSize = 56;  // frame of 63 bytes: exactly one report
inline constexpr std::size_t kProduct = 0;
inline constexpr std::size_t kProductSize = 15;
inline constexpr std::size_t kFirmware = 17;
inline constexpr std::size_t kFirmwareSize = 5;
inline constexpr std::size_t kHardware = 39;
inline constexpr const char* kHardwareText = "V1.1.0";
inline constexpr std::size_t kMode = 53;
inline constexpr std::uint8_t kModeLetter = 'A';
}  // namespace identity

using Frame = std::vector<std::uint8_t>;

// What the pedal does with each command, without any transport: it updates its
// memory and returns the frames it answers with. Not thread-safe; the owner locks.
class PedalCore {
public:
    struct Texts {
        std::string product = "KIRO_QUORVEXIII";
        std::string firmware = "1.0.0";
    };

    // With echoSaves a confirmed save is preceded by the stored record (command 169).
    PedalCore(PedalMemory memory, Texts texts, bool acknowledge, bool echoSaves = true);

    // Handles one frame from the host; answers are appended to `out`.
    void handle(std::uint8_t command, std::span<const std::uint8_t> payload, std::vector<Frame>& out);

    // The pedal's own controls. Each returns the frame that tells the host, or nullopt
    // when the arguments name nothing.
    std::optional<Frame> turnKnob(Module module, int element, std::uint32_t value);
    std::optional<Frame> selectPreset(int slot);
    // The chain rearranged on the pedal (18 values as command 160 carries them).
    Frame moveChain(const std::array<std::uint32_t, 18>& chain);
    // The pedal's display turned to a module's page: command 130 with (module + 1, 0, 0).
    Frame showModule(Module module);
    // The pedal's display opened a settings page (b = 1 system, 2 CTRL/TAP, 3 expression
    // with EXP VOL when c is 1) or went back to its main page (b = 0): command 130 with
    // (0, b, c).
    Frame showSettingsPage(std::uint8_t b, std::uint8_t c);
    // A global setting changed in the pedal's own menu: the system block (161), the
    // global EQ (159), the footswitch mode (137), the EXP block (163) or the CTRL block
    // (164, the tempo itself in its first two bytes). Kept, and reported with the same
    // payload; nullopt for any other command.
    std::optional<Frame> changeSetting(std::uint8_t command, std::span<const std::uint8_t> payload);

    const PedalMemory& memory() const { return memory_; }
    // The live sound written into the record it was loaded from.
    PresetRecord liveRecord() const;

    Frame identityFrame() const;
    // The answer to command 224: settings, the current preset's values, then every
    // stored preset (see docs/virtual-pedal.md for the order).
    std::vector<Frame> stateFrames() const;

private:
    void loadPreset(int slot);
    void save(std::span<const std::uint8_t> payload, std::vector<Frame>& out);
    void writePreset(std::span<const std::uint8_t> payload, std::vector<Frame>& out);
    void irChunk(std::span<const std::uint8_t> payload, std::vector<Frame>& out);
    void ampChunk(std::span<const std::uint8_t> payload, std::vector<Frame>& out);
    void backupRead(std::span<const std::uint8_t> payload, std::vector<Frame>& out);
    void backupWrite(std::span<const std::uint8_t> payload, std::vector<Frame>& out);

    PedalMemory memory_;
    Texts texts_;
    bool acknowledge_;
    bool echoSaves_;
};

// The slot named by an index pair (low, high) on the wire; nullopt outside 0..299.
std::optional<int> slotFromWire(std::uint8_t low, std::uint8_t high);

}  // namespace quorvex::pedal
