// What only the pedal's HID side decides: which reports reach the receive ring, and
// which device stays current while others come and go.
#include "hid_class.h"
#include "support/recording_events.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

namespace quorvex {
namespace {

// A backend whose device list the test sets; the test plays the HID thread.
class FakeBackend : public HidBackend {
public:
    void run(const DeviceMatch&, HidBackendListener&) override {}
    void stop() override { ++stops; }
    std::vector<DeviceInfo> copyDevices() override { return devices; }
    OpenResult open(const std::string& path) override {
        opened.push_back(path);
        return refused.count(path) ? OpenResult::NoPermission : OpenResult::Ok;
    }
    void close(const std::string& path) override { closed.push_back(path); }
    bool writeReport(const std::string& path, const Report&) override {
        writes.push_back(path);
        return true;
    }

    std::vector<DeviceInfo> devices;
    std::vector<std::string> opened, closed, writes;
    std::set<std::string> refused;  // nodes this user may not open
    int stops = 0;
};

DeviceInfo pedalAt(const std::string& path) { return {path, 0x0483, 0x1513, 0x00C8, "QUORVEX III"}; }

// A report from a pedal with the right identity, carrying `count` stream bytes.
std::vector<std::uint8_t> identityReport(std::size_t size = kReportSize, std::uint8_t count = 10) {
    std::vector<std::uint8_t> r(size, 0);
    r[0] = count;
    std::memcpy(r.data() + 6, "KIRO_QUORVEXIII", 15);
    std::memcpy(r.data() + 23, "1.0.0", 5);
    return r;
}

class HIDClassTest : public ::testing::Test {
protected:
    HIDClassTest() {
        auto owned = std::make_unique<FakeBackend>();
        backend = owned.get();
        hid = std::make_unique<HIDClass>(std::move(owned), DeviceMatch{}, ring, events);
    }
    void deliver(const std::string& path, const std::vector<std::uint8_t>& report) {
        hid->inputReport(path, report.data(), report.size());
    }

    RxRing ring;
    testing::RecordingEvents events;
    FakeBackend* backend = nullptr;
    std::unique_ptr<HIDClass> hid;
};

TEST_F(HIDClassTest, OnlyWhole64ByteReportsOfTheCurrentDeviceFillTheRing) {
    ring.reset();
    backend->devices = {pedalAt("/dev/hidraw3")};
    hid->deviceMatched(backend->devices[0]);
    ASSERT_TRUE(hid->isConnected());

    deliver("/dev/hidraw3", identityReport(63));
    deliver("/dev/hidraw3", identityReport(65));
    deliver("/dev/hidraw9", identityReport());
    EXPECT_EQ(ring.size(), 0u) << "wrong lengths and another device are ignored";

    deliver("/dev/hidraw3", identityReport());
    EXPECT_EQ(ring.size(), 10u);
    EXPECT_TRUE(hid->versionOk());
    EXPECT_TRUE(hid->identityOk());

    auto tooMany = identityReport(kReportSize, 64);  // a report carries at most 63 bytes
    deliver("/dev/hidraw3", tooMany);
    EXPECT_EQ(ring.size(), 10u);
    tooMany[0] = 63;
    deliver("/dev/hidraw3", tooMany);
    EXPECT_EQ(ring.size(), 73u);
}

TEST_F(HIDClassTest, ARefusedPedalIsToldWithItsNodeAndAnOpenableOneStillConnects) {
    backend->devices = {pedalAt("/dev/hidraw4"), pedalAt("/dev/hidraw5")};
    backend->refused = {"/dev/hidraw4"};
    hid->deviceMatched(backend->devices[0]);
    EXPECT_FALSE(hid->isConnected());
    EXPECT_EQ(hid->presence(), PedalPresence::NoPermission);
    EXPECT_EQ(hid->deniedNode(), "/dev/hidraw4");

    hid->deviceMatched(backend->devices[1]);
    EXPECT_TRUE(hid->isConnected());
    EXPECT_EQ(hid->presence(), PedalPresence::Connected);
}

TEST_F(HIDClassTest, RemovingADeviceListedBeforeTheCurrentOneKeepsItCurrent) {
    backend->devices = {pedalAt("/dev/hidraw1"), pedalAt("/dev/hidraw2")};
    hid->deviceMatched(backend->devices[1]);
    ASSERT_EQ(hid->currentDevice(), "/dev/hidraw2");
    hid->deviceMatched(backend->devices[0]);  // a second pedal: ignored while connected
    EXPECT_EQ(backend->opened, std::vector<std::string>{"/dev/hidraw2"});

    const DeviceInfo gone = backend->devices[0];
    backend->devices.erase(backend->devices.begin());
    hid->deviceRemoved(gone);
    EXPECT_TRUE(hid->isConnected());
    EXPECT_EQ(hid->currentDevice(), "/dev/hidraw2");
    EXPECT_TRUE(backend->closed.empty());
    EXPECT_FALSE(events.exitMessage);

    ring.reset();
    deliver("/dev/hidraw2", identityReport());
    EXPECT_EQ(ring.size(), 10u) << "the current pedal still feeds the link";
    const std::uint8_t frame[7] = {0xAA, 0x55, 0x01, 0x00, 0xE0, 0x35, 0xE1};
    EXPECT_TRUE(hid->write_frame(frame, sizeof frame));
    EXPECT_EQ(backend->writes.back(), "/dev/hidraw2");

    // Removing the current one ends the link with the disconnect message.
    hid->deviceRemoved(pedalAt("/dev/hidraw2"));
    EXPECT_FALSE(hid->isConnected());
    EXPECT_EQ(events.exitMessage, std::string(kDisconnectMessage));
    EXPECT_FALSE(hid->write_frame(frame, sizeof frame));
}

}  // namespace
}  // namespace quorvex
