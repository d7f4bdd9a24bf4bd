// What the hidraw backend does without a pedal attached: it runs, stops, and tells apart
// a missing node, a node it may not open, and a node that is no HID device.
#include "hidraw_backend.h"
#include "transport_support.h"

#include <gtest/gtest.h>

#include <fstream>

#include <sys/stat.h>
#include <sys/wait.h>

namespace quorvex::testing {
namespace {

DeviceMatch nobodysVendor() {
    DeviceMatch match;
    match.vendor = 0xFFFF;  // reserved: no attached device carries it
    return match;
}

TEST(HidrawBackend, RunWithoutPedalReturnsAfterStop) {
    HidrawBackend backend;
    RecordingListener listener;
    Running running(backend, nobodysVendor(), listener);
    EXPECT_TRUE(running.stop());
    EXPECT_TRUE(listener.matched().empty());
}

TEST(HidrawBackend, StopBeforeRunMakesRunReturn) {
    HidrawBackend backend;
    RecordingListener listener;
    backend.stop();
    auto done = std::async(std::launch::async, [&] { backend.run(nobodysVendor(), listener); });
    EXPECT_EQ(done.wait_for(kGenerous), std::future_status::ready);
}

TEST(HidrawBackend, MissingNodeIsNotFoundAndNothingIsWritten) {
    HidrawBackend backend;
    EXPECT_EQ(backend.open("/dev/hidraw-none-here"), OpenResult::NotFound);
    EXPECT_EQ(backend.open("/nonexistent-folder/hidraw0"), OpenResult::NotFound);
    EXPECT_FALSE(backend.writeReport("/dev/hidraw-none-here", tagged(1)));
    backend.close("/dev/hidraw-none-here");  // closing what was never opened is harmless
    EXPECT_FALSE(backend.writeReport("/dev/hidraw-none-here", tagged(1)));
}

TEST(HidrawBackend, NodeThatIsNoHidDeviceFailsToOpen) {
    TempDir dir;
    std::ofstream(dir.file("plain")) << "not a hidraw node";
    HidrawBackend backend;
    EXPECT_EQ(backend.open(dir.file("plain")), OpenResult::Failed);
    EXPECT_EQ(backend.open("/dev/null"), OpenResult::Failed);  // a character device, but not hidraw
    EXPECT_FALSE(backend.writeReport(dir.file("plain"), tagged(1)));
}

// Opens `path` in a child process that runs as an unprivileged user, so that the check
// also works when the tests run as root. Returns the child's OpenResult.
std::optional<OpenResult> openAsUnprivileged(const std::string& path) {
    const pid_t child = ::fork();
    if (child < 0) return std::nullopt;
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(100);
        HidrawBackend backend;
        ::_exit(static_cast<int>(backend.open(path)));
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 100)
        return std::nullopt;
    return static_cast<OpenResult>(WEXITSTATUS(status));
}

TEST(HidrawBackend, NodeWithoutPermissionIsReportedAsSuchAfterRetrying) {
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    const std::string node = dir.file("hidraw7");
    std::ofstream(node) << "x";
    ASSERT_EQ(::chmod(node.c_str(), 0600), 0);
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(node.c_str(), 0), 0);
    }

    const auto result = openAsUnprivileged(node);
    ASSERT_TRUE(result) << "could not run the check as an unprivileged user";
    EXPECT_EQ(*result, OpenResult::NoPermission);
    EXPECT_EQ(openAsUnprivileged(dir.file("hidraw8")), OpenResult::NotFound);
}

}  // namespace
}  // namespace quorvex::testing
