#include "pedal_lock.h"
#include "updater_harness.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quorvex {
namespace {

class PedalLockTest : public ::testing::Test {
protected:
    void SetUp() override { ::setenv("XDG_RUNTIME_DIR", runtime.dir().c_str(), 1); }
    testing::BusFolder runtime;  // stands in for the user's runtime folder
};

TEST_F(PedalLockTest, SecondProgramOnThePedalLearnsWhoHoldsIt) {
    PedalLock editor("quorvex-editor", "/tmp/some-bus");
    ASSERT_TRUE(editor.acquired());
    PedalLock cli("quorvex-cli", "/tmp/some-bus/");  // the same folder, spelt otherwise
    EXPECT_FALSE(cli.acquired());
    EXPECT_EQ(cli.holder(), "quorvex-editor");
    EXPECT_EQ(pedalInUseText(cli.holder()), "The QUORVEX III is in use by quorvex-editor. Close it, then try again.");

    editor.release();
    PedalLock updater("quorvex-updater", "/tmp/some-bus");
    EXPECT_TRUE(updater.acquired());
}

TEST_F(PedalLockTest, EachLinkHasItsOwnLock) {
    PedalLock usb("quorvex-editor", "");
    PedalLock bus("quorvex-cli", "/tmp/some-bus");
    PedalLock other("quorvex-updater", "/tmp/other-bus");
    EXPECT_TRUE(usb.acquired());
    EXPECT_TRUE(bus.acquired());
    EXPECT_TRUE(other.acquired());
    EXPECT_NE(bus.path(), other.path());
}

}  // namespace
}  // namespace quorvex
