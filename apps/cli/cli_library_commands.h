#pragma once
#include "cli_file_commands.h"
#include "cli_options.h"
#include "slot_moves.h"

#include <iosfwd>
#include <optional>

namespace quorvex::cli {

// show and diff of preset files alone: the exit code, or nullopt when a slot is named
// and the pedal is needed.
std::optional<int> runLibraryCommandWithoutPedal(const CliOptions& options, std::ostream& out, std::ostream& err);

// show, diff, presets --json, copy and move with the pedal: the operands are read and
// checked first (exit 2 or 8 when refused), then the work to do with the pedal.
std::variant<PedalWork, int> prepareLibraryCommand(const CliOptions& options, std::ostream& err);

// Writes records into their slots, each confirmed before the next, and prints each
// confirmed one as "SLOT <- NAME"; a run that stops says where. Returns the exit code.
int writeSlots(DeviceThread& link, std::vector<SlotWrite> writes, const char* label, std::ostream& out,
               std::ostream& err, bool progressBar);

}  // namespace quorvex::cli
