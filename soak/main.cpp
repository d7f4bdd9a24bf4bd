// quorvex-soak: drives the editor against a virtual pedal for a set time with random
// edits, preset switches, saves and chain moves, then checks that the pedal and the
// editor agree and that memory did not grow.
#include "soak_run.h"

#include <CLI/CLI.hpp>
#include <QApplication>

#include <iostream>

int main(int argc, char** argv) {
    quorvex::soak::SoakOptions options;
    CLI::App cli{"Drives the editor against a virtual QUORVEX III for a set time and checks that both agree."};
    cli.add_option("--minutes", options.minutes, "How long to drive operations")->check(CLI::Range(0.1, 10080.0));
    cli.add_option("--seed", options.seed, "Seed of the operations (the same seed, the same operations)");
    cli.add_option("--report-every", options.reportEvery, "Seconds between progress lines (0: none)")
        ->check(CLI::Range(0, 86400));
    cli.footer("Exit status: 0 clean, 1 the pedal and the editor disagree, 2 usage, 3 memory grew, "
               "4 the pedal or the link failed.");
    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = cli.exit(e);
        return code == 0 ? 0 : quorvex::soak::kUsage;
    }
    QApplication app(argc, argv);
    return quorvex::soak::runSoak(options, std::cout);
}
