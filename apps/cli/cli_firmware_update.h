#pragma once
#include "cli_options.h"

#include <iosfwd>

namespace quorvex::cli {

// Writes options.firmwareImage into a pedal waiting in its boot loader, with a progress
// bar on a terminal. Returns the program's exit code.
int runFirmwareUpdate(const CliOptions& options, std::ostream& err, bool progressBar);

}  // namespace quorvex::cli
