#pragma once
#include "cli_file_commands.h"
#include "cli_options.h"

#include <iosfwd>
#include <optional>

namespace quorvex::cli {

// show and diff of preset files alone: the exit code, or nullopt when a slot is named
// and the pedal is needed.
std::optional<int> runLibraryCommandWithoutPedal(const CliOptions& options, std::ostream& out, std::ostream& err);

// show, diff, presets --json, copy and move with the pedal: the operands are read and
// checked first (exit 2 or 8 when refused), then the work to do with the pedal.
std::variant<PedalWork, int> prepareLibraryCommand(const CliOptions& options, std::ostream& err);

}  // namespace quorvex::cli
