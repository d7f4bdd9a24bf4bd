#pragma once
#include "command_encoder.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace quorvex {

// The commands whose next frame waits for the pedal's answer to the one before: a
// backup read, a backup write, a numbered preset write and the two uploads' chunks.
inline constexpr std::array<std::uint8_t, 5> kAnsweredTransfers = {cmd::BackupRead, cmd::BackupWrite, cmd::RecordWrite,
                                                                   cmd::IrChunk, cmd::AmpChunk};

// Chooses, tick by tick, the one frame the scheduler sends. Every tick visits the next
// step of the ring; a tick whose step has nothing due is free, and a transfer frame that
// is due goes out on it instead of waiting for its own step to come round. Paced, the
// transfers keep to their steps: one block per turn of the ring. Called with the link
// lock held.
class SendRing {
public:
    // Builds this tick's frame into `frame`; returns its length field, 0 when none is due.
    std::size_t tick(CommandEncoder& encoder, std::uint8_t* frame, bool paced);
    // Moves past steps whose ticks went by while the scheduler rested.
    void pass(std::size_t ticks) { step_ = (step_ + ticks) % kSchedulerRing.size(); }

private:
    std::size_t step_ = 0;
};

}  // namespace quorvex
