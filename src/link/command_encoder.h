#pragma once
#include "commands.h"
#include "parameter_blocks.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorvex {

// Turns screen values into parameter blocks plus dirty flags, and dirty blocks into
// frames. Every member is called with the link lock held.
class CommandEncoder {
public:
    explicit CommandEncoder(ParameterBlocks& blocks) : blocks_(blocks) {}

    // Copies len values into the block of `type` and raises its command's flag.
    // Single-value blocks keep the last value; extra values are ignored.
    void store(BlockType type, const std::uint32_t* para, int len, int index);

    void raise(std::uint8_t command) { dirty_[command] = true; }
    bool dirty(std::uint8_t command) const { return dirty_[command]; }
    // Drops every request not yet sent, uploads included: what was asked before a pedal
    // was connected is not for the pedal that connects.
    void discardPending();

    // The next record loaded as the sound (131) is to be saved into a slot (168): from the
    // load's frame until the save's, nothing else that changes the pedal's sound goes
    // out, so that the slot gets the record as loaded. What is edited meanwhile keeps its
    // flag and follows the save.
    void saveNextLoad() { loadToSave_ = true; }
    void releaseSound() { loadToSave_ = soundHeld_ = false; }

    // Fills frame bytes 2 .. length+3 for one scheduler step when that command is due,
    // clearing its flag. Returns the length field, or 0 when nothing is to be sent.
    std::size_t buildFrame(std::uint8_t command, std::uint8_t* frame);

    // The two start steps.
    static std::size_t buildStartFrame(std::uint8_t* frame);
    static std::size_t buildHelloFrame(std::uint8_t* frame);

private:
    std::size_t payloadFor(std::uint8_t command, std::uint8_t* p);

    ParameterBlocks& blocks_;
    std::array<bool, 256> dirty_{};
    bool loadToSave_ = false;
    bool soundHeld_ = false;
};

// Whether the command changes the sound the pedal plays (a module, the chain, volume,
// EXP, CTRL, another preset or a loaded record).
bool changesSound(std::uint8_t command);
// Whether an encoder store of this type marks the current preset as edited.
bool marksPresetEdited(BlockType type);

}  // namespace quorvex
