#pragma once
#include "parameter_blocks.h"
#include "preset_record.h"

#include <bitset>

namespace quorvex {

// The record of the sound the pedal plays, as far as the editor can tell: the record
// the sound was loaded from, with every block sent or reported since written over it.
// This is what the pedal stores when it confirms a save.
class CurrentSound {
public:
    // The parts of a record that travel as blocks of their own.
    enum class Part { Chain = kModuleCount, Volume, Exp, Ctrl };

    // A preset or a record became the pedal's sound: the blocks held for the sound
    // before no longer say anything about it.
    void load(const PresetRecord& record) {
        base_ = record;
        changed_.reset();
        loaded_ = true;
    }
    // The pedal named its current preset. The first time, after its state report, the
    // blocks it reported still describe the sound; later it switched presets.
    void named(const PresetRecord& record) {
        if (loaded_) return load(record);
        base_ = record;
        loaded_ = true;
    }
    void changed(Module module) { changed_.set(static_cast<std::size_t>(module)); }
    void changed(Part part) { changed_.set(static_cast<std::size_t>(part)); }

    // The loaded record with the changed parts taken from the blocks.
    PresetRecord record(const ParameterBlocks& blocks) const;

private:
    PresetRecord base_{};
    std::bitset<kModuleCount + 4> changed_;
    bool loaded_ = false;
};

}  // namespace quorvex
