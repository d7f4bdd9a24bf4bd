#pragma once
#include "cli_file_commands.h"
#include "cli_options.h"

#include <iosfwd>

namespace quorvex::cli {

// Runs one command against the pedal and returns the program's exit code. With work,
// the presets load without being printed and the work follows.
int runSession(const CliOptions& options, std::ostream& out, std::ostream& err, bool progressBar,
               const PedalWork& work = {});

}  // namespace quorvex::cli
