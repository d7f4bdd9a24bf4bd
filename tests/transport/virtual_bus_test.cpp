// The virtual bus: the descriptor a device announces itself with, and the host end
// (VirtualBusBackend) against real device sockets in a temporary folder.
#include "transport_support.h"
#include "virtual_bus.h"
#include "virtual_bus_backend.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace quorvex::testing {
namespace {

using vbus::Descriptor;
using vbus::DeviceSocket;

const Descriptor kPedal{0x0483, 0x1513, 0x00C8, "QUORVEX III"};

std::optional<Descriptor> decode(const std::string& text) {
    return vbus::decodeDescriptor({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

// A full report whose bytes tell it apart from others.
Report tagged(std::uint8_t tag) {
    Report report{};
    report[0] = 63;
    for (std::size_t i = 1; i < report.size(); ++i) report[i] = static_cast<std::uint8_t>(tag + i);
    return report;
}

std::vector<std::uint8_t> bytesOf(const Report& report) { return {report.begin(), report.end()}; }

TEST(Descriptor, RoundTripsAndRefusesWhatIsNoDescriptor) {
    const Descriptor original{0, 65535, 1, "Boot \"loader\" \xC3\x9C"};
    const auto decoded = decode(vbus::encodeDescriptor(original));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->vendor, original.vendor);
    EXPECT_EQ(decoded->product, original.product);
    EXPECT_EQ(decoded->release, original.release);
    EXPECT_EQ(decoded->name, original.name);

    for (const std::string& text : std::vector<std::string>{"", "{", "null", "[1155,5395,200]", R"({"product":5395,"release":200})",
                                   R"({"vendor":"1155","product":5395,"release":200})",
                                   R"({"vendor":65536,"product":5395,"release":200})",
                                   R"({"vendor":-1,"product":5395,"release":200})",
                                   R"({"vendor":1.5,"product":5395,"release":200})",
                                   R"({"vendor":1155,"product":5395,"release":200,"name":7})",
                                   R"({"vendor":1155,"product":5395,"release":200}})",
                                   std::string(5000, ' ') + R"({"vendor":1,"product":2,"release":3})"}) {
        EXPECT_FALSE(decode(text)) << text;
    }
}

class VirtualBus : public ::testing::Test {
protected:
    TempDir bus;
    RecordingListener listener;
    VirtualBusBackend backend{bus.path()};
    std::thread running;

    void SetUp() override {
        // Devices are opened on the backend's thread, as the link does.
        listener.onMatched = [this](const DeviceInfo& d) { EXPECT_EQ(backend.open(d.path), OpenResult::Ok); };
        running = std::thread([this] { backend.run(DeviceMatch{}, listener); });
    }
    void TearDown() override {
        backend.stop();
        running.join();
    }
    // A device that listens and has been connected to by the backend.
    std::unique_ptr<DeviceSocket> plug(const std::string& name, const Descriptor& descriptor = kPedal) {
        auto device = std::make_unique<DeviceSocket>(bus.path(), name, descriptor);
        EXPECT_TRUE(device->listen());
        EXPECT_TRUE(device->accept(kGenerous)) << "the backend never connected to " << name;
        return device;
    }
};

TEST_F(VirtualBus, OnlyTheMatchingDeviceIsAnnouncedAndReportsTravelBothWays) {
    // The backend reads each descriptor in turn, so the other product is judged first.
    auto other = plug("other", {0x0483, 0x1514, 0x00C8, "x"});
    auto pedal = plug("pedal");
    const std::vector<DeviceInfo> expected{{bus.file("pedal"), 0x0483, 0x1513, 0x00C8, "QUORVEX III"}};
    EXPECT_TRUE(listener.waitFor([&] { return listener.matched == expected; }));
    EXPECT_FALSE(backend.writeReport(bus.file("other"), tagged(1)));

    ASSERT_TRUE(backend.writeReport(bus.file("pedal"), tagged(1)));
    EXPECT_EQ(pedal->receive(kGenerous), tagged(1));
    ASSERT_TRUE(pedal->send(tagged(2)));
    ASSERT_TRUE(pedal->send(tagged(3)));
    const std::vector<std::vector<std::uint8_t>> arrived{bytesOf(tagged(2)), bytesOf(tagged(3))};
    EXPECT_TRUE(listener.waitFor([&] { return listener.reports[bus.file("pedal")] == arrived; }));
}

TEST_F(VirtualBus, UnpluggedDeviceIsRemovedWhileAnotherStays) {
    auto first = plug("first");
    auto second = plug("second");
    ASSERT_TRUE(listener.waitFor([&] { return listener.matched.size() == 2; }));
    first->close();
    const auto firstGone = [&] { return listener.removed.size() == 1 && listener.removed[0].path == bus.file("first"); };
    ASSERT_TRUE(listener.waitFor(firstGone));
    EXPECT_FALSE(backend.writeReport(bus.file("first"), tagged(1)));
    ASSERT_TRUE(backend.writeReport(bus.file("second"), tagged(2)));
    EXPECT_EQ(second->receive(kGenerous), tagged(2));
    // Stopping hangs up without announcing removals.
    backend.stop();
    EXPECT_FALSE(second->receive(kGenerous));
    EXPECT_FALSE(second->connected());
    EXPECT_TRUE(listener.waitFor(firstGone));
}

}  // namespace
}  // namespace quorvex::testing
