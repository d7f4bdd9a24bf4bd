// The options of the quorvex-pedal program.
#include "command_line.h"

#include <gtest/gtest.h>

namespace {

using quorvex::pedal::CommandLine;
using quorvex::pedal::parseCommandLine;

TEST(PedalCommandLine, BusAloneGivesTheDefaults) {
    const CommandLine cl = parseCommandLine({"--bus", "/tmp/bus"});
    ASSERT_EQ(cl.action, CommandLine::Action::Run);
    EXPECT_EQ(cl.busDir, "/tmp/bus");
    const quorvex::pedal::PedalOptions defaults;
    EXPECT_EQ(cl.options.socketName, defaults.socketName);
    EXPECT_EQ(cl.options.firmware, "1.0.0");
    EXPECT_TRUE(cl.options.paced);
    EXPECT_FALSE(cl.options.noAcks);
    EXPECT_EQ(cl.options.unplugAfterFrames, -1);
}

TEST(PedalCommandLine, EveryOptionIsTaken) {
    const CommandLine cl = parseCommandLine({"--bus", "b", "--name", "pedal2", "--firmware", "0.9.0", "--product",
                                             "KIRO_X", "--drop", "0.25", "--corrupt", "1", "--seed", "42",
                                             "--no-acks", "--unplug-after", "12", "--unpaced"});
    ASSERT_EQ(cl.action, CommandLine::Action::Run) << cl.error;
    EXPECT_EQ(cl.options.socketName, "pedal2");
    EXPECT_EQ(cl.options.firmware, "0.9.0");
    EXPECT_EQ(cl.options.product, "KIRO_X");
    EXPECT_DOUBLE_EQ(cl.options.dropRate, 0.25);
    EXPECT_DOUBLE_EQ(cl.options.corruptRate, 1.0);
    EXPECT_EQ(cl.options.seed, 42u);
    EXPECT_TRUE(cl.options.noAcks);
    EXPECT_EQ(cl.options.unplugAfterFrames, 12);
    EXPECT_FALSE(cl.options.paced);
}

TEST(PedalCommandLine, BadInputIsAnError) {
    const std::vector<std::vector<std::string>> bad = {
        {},                                       // no bus
        {"--bus"},                                // missing value
        {"--bus", "b", "--verbose"},              // unknown option
        {"--bus", "b", "--drop", "1.5"},          // rate above 1
        {"--bus", "b", "--corrupt", "-0.1"},      // rate below 0
        {"--bus", "b", "--drop", "half"},         // not a number
        {"--bus", "b", "--seed", "12x"},          // trailing garbage
        {"--bus", "b", "--unplug-after", "-2"},   // negative count
        {"--bus", "b", "--name", "a/b"},          // not a plain file name
        {"stray"},
    };
    for (const auto& args : bad) {
        const CommandLine cl = parseCommandLine(args);
        EXPECT_EQ(cl.action, CommandLine::Action::Error) << (args.empty() ? "(none)" : args.back());
        EXPECT_FALSE(cl.error.empty());
    }
}

TEST(PedalCommandLine, HelpWinsAndDescribesEveryOption) {
    EXPECT_EQ(parseCommandLine({"--help"}).action, CommandLine::Action::Help);
    EXPECT_EQ(parseCommandLine({"--bus", "b", "-h"}).action, CommandLine::Action::Help);
    const std::string usage = quorvex::pedal::usageText("quorvex-pedal");
    for (const char* option : {"--bus", "--name", "--firmware", "--product", "--drop", "--corrupt", "--seed",
                               "--no-acks", "--unplug-after", "--unpaced"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

}  // namespace
