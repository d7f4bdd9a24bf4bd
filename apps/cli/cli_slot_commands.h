#pragma once
#include "cli_file_commands.h"

#include <QByteArray>

#include <optional>

namespace quorvex::cli {

// ir-import, ir-delete and amp-import: the file is read and checked first (exit 8
// with the reason when refused), then the work to do with the pedal.
std::variant<PedalWork, int> prepareSlotCommand(const CliOptions& options, std::ostream& refusal);

// ir-convert: the 512 samples the pedal would receive, one signed decimal a line.
int runIrConvert(const std::string& path, std::ostream& out, std::ostream& err);

// inspect for WAV, own IR and amp-model files; nullopt when the file is none of them.
std::optional<int> inspectSlotFile(const std::string& path, const QByteArray& bytes, std::ostream& out, std::ostream& err);

}  // namespace quorvex::cli
