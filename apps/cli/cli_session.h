#pragma once
#include "cli_options.h"

#include <iosfwd>

namespace quorvex::cli {

// Runs one command against the pedal and returns the program's exit code.
int runSession(const CliOptions& options, std::ostream& out, std::ostream& err, bool progressBar);

}  // namespace quorvex::cli
