#pragma once
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace quorvex::cli {

enum class Command {
    Presets, Monitor, FirmwareUpdate, Export, Import, Backup, Restore, Inspect, IrImport, IrDelete, AmpImport, IrConvert,
    History, PutBack, Show, Diff, Copy, Move
};

struct CliOptions {
    Command command = Command::Presets;
    std::optional<std::string> busDir;  // the virtual bus; none for the real pedal
    int waitSeconds = 10;               // how long to wait for a pedal
    int monitorSeconds = 10;
    std::string firmwareImage;          // for firmware-update
    std::vector<std::string> slotSpecs; // for export: labels, ranges or "all"
    std::string target;                 // export's --to, backup's and restore's FILE
    bool numbered = false;              // export names files P<n>-<NAME>.kiro
    std::vector<std::string> files;     // for import, inspect and the slot commands
    int userSlot = 1;                   // ir-import, ir-delete, amp-import: user slot 1..10
    bool paced = false;                 // transfers send one block per turn of the send ring
    int historyId = 0;                  // put-back: the history entry
    bool json = false;                  // presets and show answer in JSON
    std::vector<std::string> operands;  // show, diff: slots or files; copy, move: FROM and TO
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
    kBadInputFile = 8,
    kNoAnswer = 9,
    kNotWritten = 10,
    kUpdateFailed = 11,
    kPedalInUse = 12,
};

// The parsed command line, or the exit code when parsing ended the program (help and
// version print to out and give 0; a usage error prints to err and gives 2).
struct ParseResult {
    std::optional<CliOptions> options;
    int exitCode = kOk;
};
ParseResult parseOptions(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace quorvex::cli
