#pragma once
#include "boot_loader_core.h"
#include "virtual_pedal.h"

#include <string>
#include <vector>

namespace quorvex::pedal {

// What `quorvex-pedal` was asked to do.
struct CommandLine {
    enum class Action { Run, Help, Error };
    Action action = Action::Run;
    std::string busDir;
    PedalOptions options;
    bool bootLoader = false;  // play the pedal waiting in its boot loader instead
    BootLoaderOptions bootLoaderOptions;
    std::string error;  // for Action::Error
};

CommandLine parseCommandLine(const std::vector<std::string>& args);  // without the program name
std::string usageText(const std::string& program);

}  // namespace quorvex::pedal
