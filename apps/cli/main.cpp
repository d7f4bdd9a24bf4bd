// quorvex-cli: the QUORVEX III from the command line.
#include "cli_firmware_update.h"
#include "cli_options.h"
#include "cli_session.h"
#include "pedal_lock.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    using namespace quorvex::cli;
    std::string error;
    const auto options = parseOptions(argc, argv, error);
    if (!options) {
        std::cerr << "quorvex-cli: " << error << "\n\n" << usageText();
        return kUsage;
    }
    quorvex::PedalLock lock("quorvex-cli", options->busDir.value_or(std::string()));
    if (!lock.acquired()) {
        std::cerr << quorvex::pedalInUseText(lock.holder()) << "\n";
        return kPedalInUse;
    }
    const bool terminal = ::isatty(STDERR_FILENO) != 0;
    if (options->command == Command::FirmwareUpdate) return runFirmwareUpdate(*options, std::cerr, terminal);
    return runSession(*options, std::cout, std::cerr, terminal);
}
