#include "cli_options.h"

#include <CLI/CLI.hpp>

#include <ostream>

namespace quorvex::cli {
namespace {

constexpr const char* kExitCodes =
    "Exit codes: 0 done, 2 usage, 3 no pedal, 4 pedal not accessible, 5 firmware too old,\n"
    "6 pedal unplugged, 7 presets did not arrive, 8 input file unreadable or invalid,\n"
    "9 the pedal stopped answering during a transfer, 10 output file not written,\n"
    "11 firmware update failed, 12 pedal in use by another program.\n"
    "diff: 0 the presets are the same, 1 they differ.\n";

}  // namespace

ParseResult parseOptions(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CliOptions options;
    CLI::App app("quorvex-cli: the QUORVEX III from the command line.", "quorvex-cli");
    app.footer(kExitCodes);
    app.set_version_flag("--version", std::string("quorvex-cli ") + QUORVEX_VERSION);
    app.require_subcommand(1);
    std::string bus;
    app.add_option("--bus", bus, "use the virtual pedal bus in DIR instead of the USB pedal")->option_text("DIR");
    app.add_option("--wait", options.waitSeconds, "how long to wait for a pedal (default 10)")
        ->option_text("SECONDS")
        ->check(CLI::Range(0, 86400));
    app.add_flag("--paced", options.paced,
                 "send backups, restores, imports and uploads one block per turn of the send ring, the old pace");

    const auto command = [&app](const char* name, const char* what) {
        auto* sub = app.add_subcommand(name, what);
        sub->fallthrough();  // --bus and --wait may also follow the command
        return sub;
    };
    auto* presets = command("presets", "load the 300 presets and print one list entry a line");
    presets->add_flag("--json", options.json, "print them as a JSON array of slot, index and name");
    auto* monitor = command("monitor", "print every frame sent and received for a while");
    monitor->add_option("--seconds", options.monitorSeconds, "how long (default 10)")->check(CLI::Range(0, 86400));
    auto* firmware = command("firmware-update", "write a firmware image into a pedal waiting in its boot loader");
    firmware->add_option("IMAGE", options.firmwareImage, "the firmware image")->required();
    auto* exporter = command("export", "write presets to preset files (.kiro)");
    exporter->add_option("SLOT", options.slotSpecs, "a slot such as 002B, a range such as 001A-010C, or all")->required();
    exporter->add_option("--to", options.target, "the file (one slot) or folder (several slots)")
        ->option_text("PATH")
        ->required();
    exporter->add_flag("--numbered", options.numbered, "name the files P<n>-<NAME>.kiro (slots 001A-067B)");
    auto* importer = command("import", "one file: load it as the current sound; several: write each into its P<n>- slot");
    importer->add_option("FILE", options.files, "preset files (.kiro)")->required();
    auto* backup = command("backup", "back the whole pedal up into a file (.tbf)");
    backup->add_option("FILE", options.target, "the backup file to write")->required();
    auto* restore = command("restore", "write a backup file back into the pedal");
    restore->add_option("FILE", options.target, "the backup file")->required();
    auto* inspect = command("inspect", "tell what a preset, backup, WAV or amp-model file holds, without a pedal");
    inspect->add_option("FILE", options.files, "a preset, backup, WAV or amp-model file")->required()->expected(1);
    auto* irImport = command("ir-import", "load an impulse response (WAV) into a user cabinet slot");
    irImport->add_option("SLOT", options.userSlot, "user IR slot 1..10")->required()->check(CLI::Range(1, 10));
    irImport->add_option("WAVFILE", options.files, "the WAV file")->required()->expected(1);
    auto* irDelete = command("ir-delete", "empty a user cabinet slot");
    irDelete->add_option("SLOT", options.userSlot, "user IR slot 1..10")->required()->check(CLI::Range(1, 10));
    auto* ampImport = command("amp-import", "load an amp model (.amp) into a user amp slot");
    ampImport->add_option("SLOT", options.userSlot, "user amp slot 1..10")->required()->check(CLI::Range(1, 10));
    ampImport->add_option("AMPFILE", options.files, "the amp-model file")->required()->expected(1);
    auto* irConvert = command("ir-convert", "print the 512 samples the pedal would receive from a WAV file, without a pedal");
    irConvert->add_option("WAVFILE", options.files, "the WAV file")->required()->expected(1);

    auto* history = command("history", "list the presets that saves, imports and restores replaced, newest first, without a pedal");
    auto* putBack = command("put-back", "write a preset from the history back into its slot");
    putBack->add_option("ID", options.historyId, "the entry's number, as history lists it")->required();
    auto* show = command("show", "tell what a preset holds, as the panels show it (a file needs no pedal)");
    show->add_option("PRESET", options.operands, "a slot such as 002B or a preset file")->required()->expected(1);
    show->add_flag("--json", options.json, "print one JSON object");
    auto* diff = command("diff", "print what differs between two presets; exit 0 when none, 1 when some");
    diff->add_option("PRESETS", options.operands, "two slots or preset files")->required()->expected(2);
    auto* copy = command("copy", "copy the preset of one slot over another");
    copy->add_option("SLOTS", options.operands, "FROM and TO, such as 002B 100C")->required()->expected(2);
    auto* move = command("move", "move a preset to another slot; the presets between shift by one");
    move->add_option("SLOTS", options.operands, "FROM and TO, such as 001A 002A")->required()->expected(2);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        ParseResult ended;
        ended.exitCode = app.exit(e, out, err) == 0 ? kOk : kUsage;
        return ended;
    }
    if (!bus.empty()) options.busDir = bus;
    const std::pair<CLI::App*, Command> commands[] = {
        {presets, Command::Presets}, {monitor, Command::Monitor}, {firmware, Command::FirmwareUpdate},
        {exporter, Command::Export}, {importer, Command::Import}, {backup, Command::Backup},
        {restore, Command::Restore}, {inspect, Command::Inspect},
        {irImport, Command::IrImport}, {irDelete, Command::IrDelete}, {ampImport, Command::AmpImport},
        {irConvert, Command::IrConvert}, {history, Command::History}, {putBack, Command::PutBack},
        {show, Command::Show}, {diff, Command::Diff}, {copy, Command::Copy}, {move, Command::Move}};
    for (const auto& [sub, which] : commands)
        if (sub->parsed()) options.command = which;
    return {options, kOk};
}

}  // namespace quorvex::cli
