#pragma once
#include <optional>
#include <string>

namespace quorvex::cli {

enum class Command { Presets, Monitor, FirmwareUpdate };

struct CliOptions {
    Command command = Command::Presets;
    std::optional<std::string> busDir;  // the virtual bus; none for the real pedal
    int waitSeconds = 10;               // how long to wait for a pedal
    int monitorSeconds = 10;
    std::string firmwareImage;  // for firmware-update
};

// Exit codes, distinct so that scripts can tell the failures apart.
enum ExitCode : int {
    kOk = 0,
    kUsage = 2,
    kNoPedal = 3,
    kNoPermission = 4,
    kFirmwareTooOld = 5,
    kUnplugged = 6,
    kIncomplete = 7,
    kPedalInUse = 8,
    kUpdateFailed = 11,
};

inline constexpr const char* kNoPermissionText =
    "A QUORVEX III is connected, but this user may not open it.\n"
    "Install the udev rule from the README, then unplug and plug in the pedal.\n";

// Parses argv; on error returns nullopt and fills error with a message.
std::optional<CliOptions> parseOptions(int argc, const char* const* argv, std::string& error);
const char* usageText();

}  // namespace quorvex::cli
