// quorvex-cli: the QUORVEX III from the command line.
#include "cli_file_commands.h"
#include "cli_firmware_update.h"
#include "cli_history_commands.h"
#include "cli_library_commands.h"
#include "cli_options.h"
#include "cli_session.h"
#include "cli_slot_commands.h"
#include "pedal_lock.h"

#include <QCoreApplication>

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    using namespace quorvex::cli;
    const ParseResult parsed = parseOptions(argc, argv, std::cout, std::cerr);
    if (!parsed.options) return parsed.exitCode;
    const CliOptions& options = *parsed.options;
    if (options.command == Command::Inspect) return runInspect(options.files.front(), std::cout, std::cerr);
    if (options.command == Command::IrConvert) return runIrConvert(options.files.front(), std::cout, std::cerr);
    if (options.command == Command::History) return runHistory(std::cout);
    if (const auto code = runLibraryCommandWithoutPedal(options, std::cout, std::cerr)) return *code;

    // The file transfers wait for the pedal on an event loop.
    QCoreApplication app(argc, argv);
    PedalWork work;
    const bool library = options.command == Command::Show || options.command == Command::Diff ||
                         options.command == Command::Copy || options.command == Command::Move ||
                         (options.command == Command::Presets && options.json);
    if (library || (options.command != Command::Presets && options.command != Command::Monitor &&
                    options.command != Command::FirmwareUpdate)) {
        auto prepared = library ? prepareLibraryCommand(options, std::cerr) : prepareFileCommand(options, std::cerr);
        if (const int* code = std::get_if<int>(&prepared)) return *code;
        work = std::get<PedalWork>(std::move(prepared));
    }
    quorvex::PedalLock lock("quorvex-cli", options.busDir.value_or(std::string()));
    if (!lock.acquired()) {
        std::cerr << lock.refusal() << "\n";
        return kPedalInUse;
    }
    const bool terminal = ::isatty(STDERR_FILENO) != 0;
    if (options.command == Command::FirmwareUpdate) return runFirmwareUpdate(options, std::cerr, terminal);
    return runSession(options, std::cout, std::cerr, terminal, work);
}
