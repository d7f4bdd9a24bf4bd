#pragma once
#include "cli_options.h"
#include "link_transfer.h"

#include <QString>

#include <functional>
#include <iosfwd>
#include <variant>

namespace quorvex {
class DeviceThread;
}

namespace quorvex::cli {

// What a file command does once the pedal's presets have loaded; returns the exit code.
using PedalWork = std::function<int(DeviceThread& link, std::ostream& out, std::ostream& err, bool progressBar)>;

// Reads and checks the command's input files before the pedal is touched (a refused
// file ends the program with exit 8 and nothing is sent), and returns the work to do
// with the pedal, or the exit code.
std::variant<PedalWork, int> prepareFileCommand(const CliOptions& options, std::ostream& err);

// Runs a transfer to its end on this thread's event loop, with a progress bar.
LinkTransfer::End runTransfer(LinkTransfer& transfer, std::ostream& err, bool progressBar, const char* label);
// The exit code of a transfer that ended so.
int exitCodeOf(LinkTransfer::End end);

// A message or name as the terminal prints it.
inline std::string text(const QString& s) { return s.toStdString(); }

// inspect: what a preset or backup file holds, or why it is not valid. No pedal.
int runInspect(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace quorvex::cli
