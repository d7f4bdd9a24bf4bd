#pragma once
#include "cli_file_commands.h"

#include <iosfwd>

namespace quorvex::cli {

// history: the presets that writes replaced, newest first, one a line: number, time,
// slot, old name, new name and what wrote it, separated by tabs. No pedal.
int runHistory(std::ostream& out);

// put-back ID: the entry's record goes back into its slot, any of the 300; the entry
// stays, and what the put-back replaced becomes an entry of its own.
std::variant<PedalWork, int> preparePutBack(const CliOptions& options, std::ostream& err);

}  // namespace quorvex::cli
