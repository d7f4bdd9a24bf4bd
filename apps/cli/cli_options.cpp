#include "cli_options.h"

#include <charconv>
#include <string_view>

namespace quorvex::cli {
namespace {

std::optional<int> parseSeconds(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0 || value > 86400) return std::nullopt;
    return value;
}

}  // namespace

const char* usageText() {
    return "usage: quorvex-cli [--bus DIR] [--wait SECONDS] COMMAND\n"
           "\n"
           "commands:\n"
           "  presets                 load the 300 presets and print one list entry a line\n"
           "  monitor --seconds N     print every frame sent and received for N seconds\n"
           "  firmware-update IMAGE   write a firmware image into a pedal waiting in its boot loader\n"
           "\n"
           "options:\n"
           "  --bus DIR       use the virtual pedal bus in DIR instead of the USB pedal\n"
           "  --wait SECONDS  how long to wait for a pedal (default 10)\n"
           "\n"
           "exit codes: 0 done, 2 usage, 3 no pedal, 4 pedal not accessible, 5 firmware too old,\n"
           "            6 pedal unplugged, 7 presets stopped arriving, 8 pedal in use by another program,\n"
           "            11 firmware update failed\n";
}

std::optional<CliOptions> parseOptions(int argc, const char* const* argv, std::string& error) {
    CliOptions options;
    bool haveCommand = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&]() -> std::optional<std::string_view> {
            if (i + 1 >= argc) {
                error = std::string(arg) + " needs a value";
                return std::nullopt;
            }
            return std::string_view(argv[++i]);
        };
        if (arg == "--bus") {
            const auto v = value();
            if (!v) return std::nullopt;
            options.busDir = std::string(*v);
        } else if (arg == "--wait" || arg == "--seconds") {
            const auto v = value();
            if (!v) return std::nullopt;
            const auto seconds = parseSeconds(*v);
            if (!seconds) {
                error = std::string(arg) + " takes a whole number of seconds";
                return std::nullopt;
            }
            (arg == "--wait" ? options.waitSeconds : options.monitorSeconds) = *seconds;
        } else if (!haveCommand && (arg == "presets" || arg == "monitor")) {
            options.command = arg == "presets" ? Command::Presets : Command::Monitor;
            haveCommand = true;
        } else if (!haveCommand && arg == "firmware-update") {
            const auto v = value();
            if (!v) return std::nullopt;
            options.command = Command::FirmwareUpdate;
            options.firmwareImage = std::string(*v);
            haveCommand = true;
        } else {
            error = "unknown argument: " + std::string(arg);
            return std::nullopt;
        }
    }
    if (!haveCommand) {
        error = "no command given";
        return std::nullopt;
    }
    return options;
}

}  // namespace quorvex::cli
