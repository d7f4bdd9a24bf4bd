#include "command_line.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace quorvex::pedal {
namespace {

template <typename Int>
bool parseInt(const std::string& text, Int& out) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end;
}

bool parseRate(const std::string& text, double& out) {
    try {
        std::size_t used = 0;
        const double value = std::stod(text, &used);
        if (used != text.size() || !std::isfinite(value) || value < 0.0 || value > 1.0) return false;
        out = value;
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace

std::string usageText(const std::string& program) {
    return "usage: " + program +
           " --bus DIR [options]\n"
           "Plays a QUORVEX III pedal on the virtual HID bus in DIR until interrupted.\n"
           "\n"
           "  --bus DIR          bus folder (created if missing)\n"
           "  --name FILE        socket file name in the bus folder (default quorvex-iii)\n"
           "  --firmware TEXT    firmware version in the identity report (default 1.0.0)\n"
           "  --product TEXT     product text in the identity report (default KIRO_QUORVEXIII)\n"
           "  --drop RATE        share 0..1 of outgoing reports to lose\n"
           "  --corrupt RATE     share 0..1 of outgoing frames to send with a wrong check value\n"
           "  --seed N           seed of the random faults (default 1)\n"
           "  --no-acks          never answer uploads, preset writes, backup blocks or saves\n"
           "  --no-save-echo     confirm a save without sending the stored preset first\n"
           "  --unplug-after N   unplug after sending N frames\n"
           "  --unplug-on C[:N]  unplug on receiving the Nth (default first) frame with command C\n"
           "  --faults-from C    --drop and --corrupt strike only once a frame with command C came\n"
           "  --unpaced          send and read as fast as possible (no 1 ms report slots)\n"
           "\n"
           "  --boot-loader      play the pedal in its boot loader (socket quorvex-boot), which\n"
           "                     takes a firmware image from quorvex-updater; --unplug-after\n"
           "                     then counts firmware packets; --drop, --corrupt and --seed\n"
           "                     strike its answers but the identity. Its faults:\n"
           "  --no-handshake     ignore the updater's handshake\n"
           "  --erase-fails      answer every erase with a failure\n"
           "  --packet-fails N   answer firmware packet N with a failure\n"
           "  --silent-after N   answer nothing once N firmware packets are answered\n"
           "  --reply-delay MS   send every answer MS milliseconds after its frame came\n"
           "  --version          print the version\n"
           "  --help             show this text\n";
}

CommandLine parseCommandLine(const std::vector<std::string>& args) {
    CommandLine cl;
    auto fail = [&cl](std::string message) {
        cl.action = CommandLine::Action::Error;
        cl.error = std::move(message);
        return cl;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            cl.action = CommandLine::Action::Help;
            return cl;
        }
        if (arg == "--no-acks" || arg == "--no-save-echo") {
            (arg == "--no-acks" ? cl.options.noAcks : cl.options.echoSaves) = arg == "--no-acks";
            continue;
        }
        if (arg == "--unpaced") {
            cl.options.paced = false;
            continue;
        }
        if (arg == "--boot-loader" || arg == "--no-handshake" || arg == "--erase-fails") {
            (arg == "--boot-loader" ? cl.bootLoader
             : arg == "--no-handshake" ? cl.bootLoaderOptions.noHandshakeReply
                                       : cl.bootLoaderOptions.eraseFails) = true;
            continue;
        }
        const bool takesValue = arg == "--bus" || arg == "--name" || arg == "--firmware" || arg == "--product" ||
                                arg == "--drop" || arg == "--corrupt" || arg == "--seed" || arg == "--unplug-after" ||
                                arg == "--packet-fails" || arg == "--silent-after" || arg == "--unplug-on" ||
                                arg == "--faults-from" || arg == "--reply-delay";
        if (!takesValue) return fail("unknown option: " + arg);
        if (i + 1 >= args.size()) return fail(arg + " needs a value");
        const std::string& value = args[++i];
        if (arg == "--bus") {
            cl.busDir = value;
        } else if (arg == "--name") {
            if (value.empty() || value.find('/') != std::string::npos) return fail("--name takes a plain file name");
            cl.options.socketName = value;
        } else if (arg == "--firmware") {
            cl.options.firmware = value;
        } else if (arg == "--product") {
            cl.options.product = value;
        } else if (arg == "--drop") {
            if (!parseRate(value, cl.options.dropRate)) return fail("--drop takes a rate from 0 to 1");
        } else if (arg == "--corrupt") {
            if (!parseRate(value, cl.options.corruptRate)) return fail("--corrupt takes a rate from 0 to 1");
        } else if (arg == "--packet-fails" || arg == "--silent-after") {
            int& count = arg == "--packet-fails" ? cl.bootLoaderOptions.failPacket : cl.bootLoaderOptions.silentAfterPackets;
            if (!parseInt(value, count) || count < 0) return fail(arg + " takes a whole number of packets");
        } else if (arg == "--reply-delay") {
            int ms = 0;
            if (!parseInt(value, ms) || ms < 0) return fail("--reply-delay takes a whole number of milliseconds");
            cl.bootLoaderOptions.replyDelay = std::chrono::milliseconds(ms);
        } else if (arg == "--unplug-on") {
            const auto colon = value.find(':');
            int& n = cl.options.unplugOnOccurrence;
            if (!parseInt(value.substr(0, colon), cl.options.unplugOnCommand) || cl.options.unplugOnCommand < 0 ||
                cl.options.unplugOnCommand > 255 ||
                (colon != std::string::npos && (!parseInt(value.substr(colon + 1), n) || n < 1)))
                return fail("--unplug-on takes a command number 0..255, optionally :N with N from 1");
        } else if (arg == "--faults-from") {
            if (!parseInt(value, cl.options.faultsFromCommand) || cl.options.faultsFromCommand < 0 ||
                cl.options.faultsFromCommand > 255)
                return fail("--faults-from takes a command number 0..255");
        } else if (arg == "--seed") {
            if (!parseInt(value, cl.options.seed)) return fail("--seed takes a whole number");
        } else {
            if (!parseInt(value, cl.options.unplugAfterFrames) || cl.options.unplugAfterFrames < 0)
                return fail("--unplug-after takes a whole number of frames");
        }
    }
    if (cl.busDir.empty()) return fail("--bus DIR is required");
    if (cl.bootLoader) {
        BootLoaderOptions& b = cl.bootLoaderOptions;
        if (cl.options.socketName != PedalOptions{}.socketName) b.socketName = cl.options.socketName;
        b.product = cl.options.product;
        b.paced = cl.options.paced;
        b.unplugAfterPackets = cl.options.unplugAfterFrames;
        b.dropRate = cl.options.dropRate;
        b.corruptRate = cl.options.corruptRate;
        b.seed = cl.options.seed;
    }
    return cl;
}

}  // namespace quorvex::pedal
