// The host end of the virtual bus, driven by real device sockets in a temporary folder.
#include "transport_support.h"
#include "virtual_bus.h"
#include "virtual_bus_backend.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>

namespace quorvex::testing {
namespace {

using vbus::Descriptor;
using vbus::DeviceSocket;

const Descriptor kPedal{0x0483, 0x1513, 0x00C8, "QUORVEX III"};

std::vector<std::uint8_t> bytesOf(const Report& report) { return {report.begin(), report.end()}; }

class VirtualBusBackendTest : public ::testing::Test {
protected:
    TempDir bus;
    RecordingListener listener;
    VirtualBusBackend backend{bus.path()};

    // A device that listens and has been connected to by the backend.
    std::unique_ptr<DeviceSocket> plug(const std::string& name, const Descriptor& descriptor = kPedal) {
        auto device = std::make_unique<DeviceSocket>(bus.path(), name, descriptor);
        EXPECT_TRUE(device->listen());
        EXPECT_TRUE(device->accept(kGenerous)) << "the backend never connected to " << name;
        return device;
    }
    void openEveryMatch() {
        listener.onMatched = [this](const DeviceInfo& d) { EXPECT_EQ(backend.open(d.path), OpenResult::Ok); };
    }
};

TEST_F(VirtualBusBackendTest, AnnouncesDevicePresentBeforeStartWithItsDescriptor) {
    DeviceSocket device(bus.path(), "pedal", kPedal);
    ASSERT_TRUE(device.listen());
    std::vector<DeviceInfo> listedWhenAnnounced;
    listener.onMatched = [&](const DeviceInfo&) { listedWhenAnnounced = backend.copyDevices(); };

    Running running(backend, DeviceMatch{}, listener);
    ASSERT_TRUE(device.accept(kGenerous));
    ASSERT_TRUE(listener.waitMatched(1));

    const DeviceInfo expected{bus.file("pedal"), 0x0483, 0x1513, 0x00C8, "QUORVEX III"};
    EXPECT_EQ(listener.matched().front(), expected);
    EXPECT_EQ(listedWhenAnnounced, std::vector<DeviceInfo>{expected});
}

TEST_F(VirtualBusBackendTest, AnnouncesLaterArrivalsAndListsThemInArrivalOrder) {
    std::vector<std::vector<DeviceInfo>> listings;
    listener.onMatched = [&](const DeviceInfo&) { listings.push_back(backend.copyDevices()); };
    Running running(backend, DeviceMatch{}, listener);

    auto second = plug("b-first");  // names sort the other way round: order is by arrival
    ASSERT_TRUE(listener.waitMatched(1));
    auto first = plug("a-second");
    ASSERT_TRUE(listener.waitMatched(2));

    const auto matched = listener.matched();
    EXPECT_EQ(matched[0].path, bus.file("b-first"));
    EXPECT_EQ(matched[1].path, bus.file("a-second"));
    ASSERT_EQ(listings.size(), 2u);
    EXPECT_EQ(listings[1], matched);
}

TEST_F(VirtualBusBackendTest, IgnoresDevicesWithOtherNumbers) {
    Running running(backend, DeviceMatch{}, listener);
    // Each accept returns once the backend connected and got the descriptor, so these
    // descriptors are read before the matching device below even exists.
    auto otherVendor = plug("vendor", {0x0484, 0x1513, 0x00C8, "x"});
    auto otherProduct = plug("product", {0x0483, 0x1514, 0x00C8, "x"});
    auto otherRelease = plug("release", {0x0483, 0x1513, 0x00C7, "x"});
    auto pedal = plug("pedal");

    ASSERT_TRUE(listener.waitMatched(1));
    const auto matched = listener.matched();
    ASSERT_EQ(matched.size(), 1u);
    EXPECT_EQ(matched[0].path, bus.file("pedal"));

    // Unplugging a device that was never announced is not announced either.
    otherProduct->close();
    pedal->close();
    ASSERT_TRUE(listener.waitRemoved(1));
    EXPECT_EQ(listener.removed().front().path, bus.file("pedal"));
}

TEST_F(VirtualBusBackendTest, UpdaterMatchAcceptsAnyProductButNotAnotherRelease) {
    DeviceMatch updater;
    updater.product.reset();
    Running running(backend, updater, listener);

    auto wrongRelease = plug("release", {0x0483, 0x1513, 0x0001, "x"});
    auto loader = plug("loader", {0x0483, 0xDF11, 0x00C8, "boot loader"});
    auto pedal = plug("pedal");
    ASSERT_TRUE(listener.waitMatched(2));

    const auto matched = listener.matched();
    ASSERT_EQ(matched.size(), 2u);
    EXPECT_EQ(matched[0].path, bus.file("loader"));
    EXPECT_EQ(matched[0].product, 0xDF11);
    EXPECT_EQ(matched[1].path, bus.file("pedal"));
}

TEST_F(VirtualBusBackendTest, DeliversNoReportsBeforeOpen) {
    const std::string pedalPath = bus.file("pedal");
    // The backend's own thread opens the pedal when a second device is announced.
    listener.onMatched = [&](const DeviceInfo& d) {
        if (d.path == bus.file("tick")) {
            EXPECT_EQ(backend.open(pedalPath), OpenResult::Ok);
        }
    };
    Running running(backend, DeviceMatch{}, listener);
    auto pedal = plug("pedal");
    ASSERT_TRUE(listener.waitMatched(1));
    for (std::uint8_t i = 0; i < 3; ++i) ASSERT_TRUE(pedal->send(tagged(i)));

    auto tick = plug("tick");  // exists only after the three reports were queued
    ASSERT_TRUE(listener.waitMatched(2));
    for (std::uint8_t i = 10; i < 13; ++i) ASSERT_TRUE(pedal->send(tagged(i)));

    ASSERT_TRUE(listener.waitReports(pedalPath, 3));
    const auto reports = listener.reports(pedalPath);
    ASSERT_EQ(reports.size(), 3u);
    for (std::uint8_t i = 0; i < 3; ++i) EXPECT_EQ(reports[i], bytesOf(tagged(static_cast<std::uint8_t>(10 + i))));
    EXPECT_TRUE(listener.reports(bus.file("tick")).empty());
    EXPECT_FALSE(backend.writeReport(bus.file("tick"), tagged(1)));  // not opened: refused
}

TEST_F(VirtualBusBackendTest, ReportsFlowBothWaysInOrderOnceOpened) {
    openEveryMatch();
    Running running(backend, DeviceMatch{}, listener);
    auto pedal = plug("pedal");
    ASSERT_TRUE(listener.waitMatched(1));
    const std::string path = bus.file("pedal");
    constexpr int kCount = 500;

    // Host to device from another thread, as the scheduler sends.
    std::atomic<int> refused = 0;
    std::thread writer([&] {
        for (int i = 0; i < kCount; ++i)
            if (!backend.writeReport(path, tagged(static_cast<std::uint8_t>(i)))) ++refused;
    });
    std::vector<Report> received;
    for (int i = 0; i < kCount; ++i) {
        const auto report = pedal->receive(kGenerous);
        if (!report) break;
        received.push_back(*report);
    }
    writer.join();
    EXPECT_EQ(refused, 0);
    ASSERT_EQ(received.size(), static_cast<std::size_t>(kCount));
    for (int i = 0; i < kCount; ++i) EXPECT_EQ(received[i], tagged(static_cast<std::uint8_t>(i))) << i;

    // Device to host.
    for (int i = 0; i < kCount; ++i) ASSERT_TRUE(pedal->send(tagged(static_cast<std::uint8_t>(i), 17)));
    ASSERT_TRUE(listener.waitReports(path, kCount));
    const auto reports = listener.reports(path);
    ASSERT_EQ(reports.size(), static_cast<std::size_t>(kCount));
    for (int i = 0; i < kCount; ++i) EXPECT_EQ(reports[i], bytesOf(tagged(static_cast<std::uint8_t>(i), 17))) << i;
}

TEST_F(VirtualBusBackendTest, InputReportsKeepTheirRealLength) {
    openEveryMatch();
    RawSocket listening;
    ASSERT_TRUE(listening.bind(bus.file("raw")));
    ASSERT_TRUE(listening.listen());
    Running running(backend, DeviceMatch{}, listener);
    RawSocket device(listening.accept());
    ASSERT_GE(device.fd(), 0);
    ASSERT_TRUE(device.send(vbus::encodeDescriptor(kPedal)));
    ASSERT_TRUE(listener.waitMatched(1));

    std::vector<std::vector<std::uint8_t>> sent;
    for (std::size_t size : {10u, 64u, 100u, 1u}) {
        std::vector<std::uint8_t> datagram(size);
        for (std::size_t i = 0; i < size; ++i) datagram[i] = static_cast<std::uint8_t>(size + i);
        ASSERT_TRUE(device.send(datagram.data(), datagram.size()));
        sent.push_back(datagram);
    }
    ASSERT_TRUE(listener.waitReports(bus.file("raw"), sent.size()));
    EXPECT_EQ(listener.reports(bus.file("raw")), sent);
}

TEST_F(VirtualBusBackendTest, UnpluggedDeviceIsRemovedWhileAnotherStays) {
    openEveryMatch();
    std::vector<DeviceInfo> listedAtRemoval;
    listener.onRemoved = [&](const DeviceInfo&) { listedAtRemoval = backend.copyDevices(); };
    Running running(backend, DeviceMatch{}, listener);
    auto a = plug("a");
    auto b = plug("b");
    ASSERT_TRUE(listener.waitMatched(2));
    const auto matched = listener.matched();

    a->close();
    ASSERT_TRUE(listener.waitRemoved(1));
    EXPECT_EQ(listener.removed().front(), matched[0]);
    EXPECT_EQ(listedAtRemoval, std::vector<DeviceInfo>{matched[1]});

    EXPECT_FALSE(backend.writeReport(bus.file("a"), tagged(1)));
    EXPECT_EQ(backend.open(bus.file("a")), OpenResult::NotFound);
    ASSERT_TRUE(backend.writeReport(bus.file("b"), tagged(2)));
    EXPECT_EQ(b->receive(kGenerous), tagged(2));
    ASSERT_TRUE(b->send(tagged(3)));
    ASSERT_TRUE(listener.waitReports(bus.file("b"), 1));
    EXPECT_EQ(listener.removed().size(), 1u);
}

TEST_F(VirtualBusBackendTest, WritesRacingAnUnplugFailCleanly) {
    openEveryMatch();
    Running running(backend, DeviceMatch{}, listener);
    auto pedal = plug("pedal");
    ASSERT_TRUE(listener.waitMatched(1));
    const std::string path = bus.file("pedal");

    std::atomic<bool> stopWriting = false;
    std::atomic<int> accepted = 0;
    std::thread writer([&] {
        while (!stopWriting)
            if (backend.writeReport(path, tagged(1))) ++accepted;
    });
    int read = 0;
    while (read < 50 && pedal->receive(kGenerous)) ++read;
    pedal->close();  // unplugged while the writer keeps going
    const bool removed = listener.waitRemoved(1);
    stopWriting = true;
    writer.join();

    EXPECT_TRUE(removed);
    EXPECT_EQ(read, 50);
    EXPECT_GE(accepted, 50);
    EXPECT_FALSE(backend.writeReport(path, tagged(2)));
}

TEST_F(VirtualBusBackendTest, DeviceThatDropsTheHostButListensIsPluggedInAgain) {
    Running running(backend, DeviceMatch{}, listener);
    auto pedal = plug("pedal");
    ASSERT_TRUE(listener.waitMatched(1));
    pedal->disconnect();
    ASSERT_TRUE(listener.waitRemoved(1));
    ASSERT_TRUE(pedal->accept(kGenerous));
    ASSERT_TRUE(listener.waitMatched(2));
    EXPECT_EQ(listener.matched()[1].path, bus.file("pedal"));
}

TEST_F(VirtualBusBackendTest, SkipsStaleSocketsJunkAndBadDescriptorsAndFindsLateListeners) {
    {
        RawSocket crashed;
        ASSERT_TRUE(crashed.bind(bus.file("stale")));
        ASSERT_TRUE(crashed.listen());
    }  // file left behind, nobody listens
    RawSocket late;
    ASSERT_TRUE(late.bind(bus.file("late")));  // bound now, listening only later
    std::ofstream(bus.file("notes.txt")) << "not a device";
    RawSocket garbled;
    ASSERT_TRUE(garbled.bind(bus.file("garbled")));
    ASSERT_TRUE(garbled.listen());

    Running running(backend, DeviceMatch{}, listener);
    RawSocket garbledHost(garbled.accept());
    ASSERT_GE(garbledHost.fd(), 0);
    ASSERT_TRUE(garbledHost.send(std::string("hello, I am a pedal")));
    EXPECT_TRUE(garbledHost.waitHangUp());  // the backend gives up on it

    auto pedal = plug("pedal");
    ASSERT_TRUE(listener.waitMatched(1));
    EXPECT_EQ(listener.matched().front().path, bus.file("pedal"));

    ASSERT_TRUE(late.listen());  // no file event for this: found by retrying
    RawSocket lateHost(late.accept());
    ASSERT_GE(lateHost.fd(), 0);
    ASSERT_TRUE(lateHost.send(vbus::encodeDescriptor(kPedal)));
    ASSERT_TRUE(listener.waitMatched(2));
    const auto matched = listener.matched();
    ASSERT_EQ(matched.size(), 2u);
    EXPECT_EQ(matched[1].path, bus.file("late"));
}

TEST_F(VirtualBusBackendTest, CreatesAMissingBusFolder) {
    const std::string folder = bus.file("sub");
    VirtualBusBackend inSub(folder);
    Running running(inSub, DeviceMatch{}, listener);
    bool created = false;
    for (int i = 0; i < 1000 && !created; ++i) {
        created = std::filesystem::is_directory(folder);
        if (!created) std::this_thread::sleep_for(10ms);
    }
    ASSERT_TRUE(created);
    DeviceSocket device(folder, "pedal", kPedal);
    ASSERT_TRUE(device.listen());
    ASSERT_TRUE(device.accept(kGenerous));
    ASSERT_TRUE(listener.waitMatched(1));
}

TEST_F(VirtualBusBackendTest, StopEndsRunAndHangsUpWithoutAnnouncingRemovals) {
    Running running(backend, DeviceMatch{}, listener);
    auto pedal = plug("pedal");
    ASSERT_TRUE(listener.waitMatched(1));

    EXPECT_TRUE(running.stop());
    EXPECT_FALSE(pedal->receive(kGenerous));
    EXPECT_FALSE(pedal->connected());
    EXPECT_TRUE(listener.removed().empty());
    EXPECT_FALSE(backend.writeReport(bus.file("pedal"), tagged(1)));
}

TEST_F(VirtualBusBackendTest, StopBeforeRunMakesRunReturnAndLaterRunsWork) {
    backend.stop();
    auto first = std::async(std::launch::async, [&] { backend.run(DeviceMatch{}, listener); });
    ASSERT_EQ(first.wait_for(kGenerous), std::future_status::ready);

    Running running(backend, DeviceMatch{}, listener);
    auto pedal = plug("pedal");
    ASSERT_TRUE(listener.waitMatched(1));
    EXPECT_TRUE(running.stop());
}

}  // namespace
}  // namespace quorvex::testing
