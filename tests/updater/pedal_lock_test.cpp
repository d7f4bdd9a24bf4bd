#include "pedal_lock.h"
#include "updater_harness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <unistd.h>

namespace quorvex {
namespace {

class PedalLockTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("XDG_RUNTIME_DIR", runtime.dir().c_str(), 1); }
    void TearDown() override { tmpdir.empty() ? ::unsetenv("TMPDIR") : ::setenv("TMPDIR", tmpdir.c_str(), 1); }
    testing::BusFolder runtime;  // stands in for the user's runtime folder
    const std::string tmpdir = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";  // a test moves it
};

TEST_F(PedalLockTest, SecondProgramOnThePedalLearnsWhoHoldsIt) {
    PedalLock editor("quorvex-editor", "/tmp/some-bus");
    ASSERT_TRUE(editor.acquired());
    PedalLock cli("quorvex-cli", "/tmp/some-bus/");  // the same folder, spelt otherwise
    EXPECT_FALSE(cli.acquired());
    EXPECT_EQ(cli.refusal(), "The QUORVEX III is in use by quorvex-editor. Close it, then try again.");
    // The USB pedal and every other bus have locks of their own.
    EXPECT_TRUE(PedalLock("quorvex-updater", "").acquired());
    EXPECT_TRUE(PedalLock("quorvex-updater", "/tmp/other-bus").acquired());

    editor.release();
    EXPECT_TRUE(PedalLock("quorvex-updater", "/tmp/some-bus").acquired());
}

TEST_F(PedalLockTest, WithoutARuntimeFolderTheLockLivesInAFolderOnlyThisUserMayEnter) {
    const testing::BusFolder temp;
    ::unsetenv("XDG_RUNTIME_DIR");
    ::setenv("TMPDIR", temp.dir().c_str(), 1);
    const std::string folder = temp.dir() + "/quorvex-" + std::to_string(::getuid());
    {
        const PedalLock editor("quorvex-editor", "");
        EXPECT_TRUE(editor.acquired());
        EXPECT_EQ(editor.path().rfind(folder + "/", 0), 0U) << editor.path();
        EXPECT_EQ(std::filesystem::symlink_status(folder).permissions(), std::filesystem::perms::owner_all);
    }
    // A folder that others may enter, or a link in its place, is refused with the reason.
    ASSERT_EQ(::chmod(folder.c_str(), 0755), 0);
    EXPECT_EQ(PedalLock("quorvex-cli", "").refusal(),
              "The QUORVEX III cannot be guarded against a second program safely: " + folder +
                  " has mode 755, not 700. Set XDG_RUNTIME_DIR to a folder of your own, or have " + folder +
                  " removed, then try again.");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory_symlink(temp.dir(), folder);
    EXPECT_FALSE(PedalLock("quorvex-cli", "").acquired());
}

}  // namespace
}  // namespace quorvex
