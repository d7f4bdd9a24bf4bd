// The update engine and the updater's link against the virtual boot loader.
#include "updater_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace quorvex::testing {
namespace {

using namespace std::chrono_literals;
using pedal::BootLoaderOptions;
using pedal::VirtualBootLoader;

// A boot loader that answers at once, one that answers every frame late (the answers to
// the probes then come in after the pedal is identified), and one whose erase reply has the
// handshake reply's command.
class Update : public ::testing::TestWithParam<BootLoaderOptions> {};

TEST_P(Update, WritesEveryErasedTagInPacketsAndStartsTheFirmware) {
    BusFolder bus;
    VirtualBootLoader loader(bus.dir(), GetParam());
    ASSERT_TRUE(loader.start());
    auto plan = threeTagImage();
    plan.eraseReplyCommand = GetParam().eraseReply;
    const auto bytes = updater::buildFirmwareImage(plan);
    UpdateRun run;
    runUpdate(bus.dir(), bus.writeImage(bytes), run);

    ASSERT_EQ(run.connected, 1);
    ASSERT_TRUE(run.delegate.succeeded) << run.delegate.failure.value_or("");
    const auto image = std::get<updater::FirmwareImage>(updater::parseFirmwareImage(bytes));
    EXPECT_TRUE(waitUntil([&] { return loader.jumped(); }));  // the last frame may still be on its way
    EXPECT_EQ(loader.verify(image), std::nullopt);

    // 1100 bytes: sectors s, s + 1, then 76 bytes (length field 79) at s + 3; 1024 bytes:
    // two packets; the tag with a clear erase bit: nothing.
    const auto areas = loader.areas();
    ASSERT_EQ(areas.size(), 2U);
    std::vector<std::pair<int, std::size_t>> packets;
    for (const auto& area : areas) {
        for (const auto& p : area.packets) packets.emplace_back(p.sector, p.data.size() + 3);
    }
    const std::vector<std::pair<int, std::size_t>> expected{{40, 515}, {41, 515}, {43, 79}, {200, 515}, {201, 515}};
    EXPECT_EQ(packets, expected);

    const auto& progress = run.delegate.progress;
    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_FLOAT_EQ(progress.back(), 1.0F);
}

INSTANTIATE_TEST_SUITE_P(BootLoader, Update,
                         ::testing::Values(BootLoaderOptions{}, BootLoaderOptions{.replyDelay = 80ms},
                                           BootLoaderOptions{.eraseReply = 0x01}));

struct Fault {
    const char* name;
    BootLoaderOptions loader;
    const char* text;
    std::size_t dataPacketsSent;  // by the updater, up to and including the failing one
};

class UpdateFault : public ::testing::TestWithParam<Fault> {};

TEST_P(UpdateFault, EndsWithItsTextAndSendsNothingAfter) {
    BusFolder bus;
    VirtualBootLoader loader(bus.dir(), GetParam().loader);
    ASSERT_TRUE(loader.start());
    UpdateRun run;
    runUpdate(bus.dir(), bus.writeImage(updater::buildFirmwareImage(threeTagImage())), run);

    ASSERT_EQ(run.connected, 1);
    ASSERT_TRUE(run.delegate.failure.has_value());
    EXPECT_EQ(*run.delegate.failure, GetParam().text);
    std::this_thread::sleep_for(100ms);  // anything sent after would have arrived
    EXPECT_EQ(countCommand(loader, 0x04), GetParam().dataPacketsSent);
    EXPECT_EQ(countCommand(loader, 0xFF), 0U) << "no jump to a half-written firmware";
}

INSTANTIATE_TEST_SUITE_P(
    BootLoader, UpdateFault,
    ::testing::Values(
        Fault{"NoHandshakeReply", {.noHandshakeReply = true}, "Time out:Check reply time out(0=1:0)", 0},
        Fault{"DataResultZero", {.failPacket = 2}, "ErrorSend data reply rrror", 2},
        Fault{"EraseOfSecondTagSilent", {.silentAfterPackets = 3}, "Time out:Erasure time out(1=3:5)", 3}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(UpdateImage, BadImageIsToldBeforeThePedalIsTouched) {
    BusFolder bus;
    VirtualBootLoader loader(bus.dir());
    ASSERT_TRUE(loader.start());
    auto bytes = updater::buildFirmwareImage(threeTagImage());
    bytes.resize(bytes.size() - 800);  // the second tag's data now runs past the end
    UpdateRun run;
    runUpdate(bus.dir(), bus.writeImage(bytes), run);

    ASSERT_TRUE(run.delegate.failure.has_value());
    EXPECT_EQ(*run.delegate.failure, "Firmware error:tag 2 has data beyond the end of the file");
    EXPECT_EQ(countCommand(loader, 0xAA), 0U);
}

// The pedal is found behind a device of another product that, taken for it, would look like
// an application, and its frames go to the receiver of its mode. The slow boot loader still
// has answers to several probes on their way when it is identified: they are all in before
// the pedal is handed on.
TEST(UpdaterIdentity, ThePedalIsFoundAndHandedOnWithItsFramesWhereTheyBelong) {
    for (const auto& [mode, delay] : {std::pair{'A', 0ms}, std::pair{'B', 80ms}}) {
        BusFolder bus;
        VirtualBootLoader stranger(bus.dir(), {.socketName = "a-stranger", .product = "SOMETHING_ELSE", .mode = 'A'});
        VirtualBootLoader device(bus.dir(), {.mode = mode, .replyDelay = delay});
        ASSERT_TRUE(stranger.start());
        updater::HIDClass link(std::make_unique<VirtualBusBackend>(bus.dir()), fastProbing());
        link.setPid(0, 0x0483, 0x00C8);
        std::atomic<int> application{0}, bootLoader{0};
        link.setCallBackData([&](const std::uint8_t*, std::size_t) { ++application; });
        link.setUpdateCallBackData([&](const std::uint8_t*, std::size_t) { ++bootLoader; });
        ASSERT_TRUE(link.OpenDevice());  // the stranger is probed first
        ASSERT_TRUE(device.start());
        ASSERT_EQ(link.checkUSBDevice(), 1);
        EXPECT_EQ(link.mode(), mode);
        // The identifying report carries a whole frame, delivered at once.
        EXPECT_EQ(application > 0, mode == 'A') << mode;
        EXPECT_EQ(bootLoader > 0, mode == 'B') << mode;
        const int handedOn = application + bootLoader;
        std::this_thread::sleep_for(200ms);
        EXPECT_EQ(application + bootLoader, handedOn) << mode;
    }
}

}  // namespace
}  // namespace quorvex::testing
