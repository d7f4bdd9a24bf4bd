// What the hidraw backend does without a pedal attached: it runs and stops, and tells
// apart a missing node, a node it may not open and a node that is no HID device, which
// the editor words differently for the guitarist.
#include "hidraw_backend.h"
#include "transport_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <future>
#include <optional>

#include <sys/stat.h>
#include <sys/wait.h>

namespace quorvex::testing {
namespace {

TEST(HidrawBackend, RunWithoutPedalReturnsAfterStop) {
    HidrawBackend backend;
    RecordingListener listener;
    DeviceMatch nobody;
    nobody.vendor = 0xFFFF;  // reserved: no attached device carries it
    auto done = std::async(std::launch::async, [&] { backend.run(nobody, listener); });
    backend.stop();
    ASSERT_EQ(done.wait_for(kGenerous), std::future_status::ready);
    EXPECT_TRUE(listener.matched.empty());
}

// Opens `path` in a child process that runs as an unprivileged user, so that the check
// also works when the tests run as root.
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

TEST(HidrawBackend, OpenTellsMissingForbiddenAndForeignNodesApart) {
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    std::ofstream(dir.file("plain")) << "not a hidraw node";
    std::ofstream(dir.file("hidraw7")) << "x";
    ASSERT_EQ(::chmod(dir.file("hidraw7").c_str(), 0), 0);

    HidrawBackend backend;
    EXPECT_EQ(backend.open(dir.file("hidraw8")), OpenResult::NotFound);
    EXPECT_EQ(backend.open(dir.file("plain")), OpenResult::Failed);
    EXPECT_EQ(backend.open("/dev/null"), OpenResult::Failed);  // a character device, but not hidraw
    EXPECT_FALSE(backend.writeReport(dir.file("plain"), Report{}));
    EXPECT_EQ(openAsUnprivileged(dir.file("hidraw7")), OpenResult::NoPermission);
}

}  // namespace
}  // namespace quorvex::testing
