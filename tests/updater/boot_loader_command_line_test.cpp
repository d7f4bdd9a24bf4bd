#include "command_line.h"

#include <gtest/gtest.h>

namespace quorvex::pedal {
namespace {

TEST(BootLoaderCommandLine, FaultsAndSharedOptionsReachTheBootLoader) {
    const CommandLine cl =
        parseCommandLine({"--bus", "/tmp/b", "--boot-loader", "--no-handshake", "--erase-fails", "--packet-fails", "4",
                          "--silent-after", "2", "--unplug-after", "7", "--unpaced", "--name", "boot"});
    ASSERT_EQ(cl.action, CommandLine::Action::Run) << cl.error;
    ASSERT_TRUE(cl.bootLoader);
    const BootLoaderOptions& b = cl.bootLoaderOptions;
    EXPECT_TRUE(b.noHandshakeReply);
    EXPECT_TRUE(b.eraseFails);
    EXPECT_EQ(b.failPacket, 4);
    EXPECT_EQ(b.silentAfterPackets, 2);
    EXPECT_EQ(b.unplugAfterPackets, 7);
    EXPECT_FALSE(b.paced);
    EXPECT_EQ(b.socketName, "boot");
    EXPECT_EQ(b.mode, 'B');
}

TEST(BootLoaderCommandLine, DefaultSocketNameAndBadCounts) {
    EXPECT_EQ(parseCommandLine({"--bus", "d", "--boot-loader"}).bootLoaderOptions.socketName, "quorvex-boot");
    EXPECT_EQ(parseCommandLine({"--bus", "d", "--packet-fails", "x"}).action, CommandLine::Action::Error);
    EXPECT_EQ(parseCommandLine({"--bus", "d", "--silent-after", "-1"}).action, CommandLine::Action::Error);
}

}  // namespace
}  // namespace quorvex::pedal
