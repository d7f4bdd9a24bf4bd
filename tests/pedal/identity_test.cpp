// The pedal's answer to the start frame: one 64-byte report whose fixed byte positions
// carry the product, firmware and hardware texts the editor checks.
#include "crc16.h"
#include "pedal_host.h"

#include <gtest/gtest.h>

#include <string>

namespace pedaltest {
namespace {

using quorvex::pedal::PedalOptions;
using quorvex::pedal::VirtualPedal;

std::string text(const quorvex::Report& r, std::size_t from, std::size_t n) {
    return std::string(reinterpret_cast<const char*>(r.data() + from), n);
}

quorvex::Report identityReport(const PedalOptions& options) {
    TempBus bus;
    VirtualPedal pedal(bus.dir(), options);
    EXPECT_TRUE(pedal.start());
    TestHost host(pedal.socketPath());
    EXPECT_TRUE(host.connected());
    host.greet();
    host.send(0, {0x00});
    EXPECT_TRUE(host.waitForReports(1, 3000ms));
    EXPECT_FALSE(host.waitForReports(2, 150ms)) << "the identity travels as exactly one report";
    return host.reports().at(0).report;
}

TEST(PedalIdentity, DescriptorNamesTheQuorvexOnItsUsbNumbers) {
    TempBus bus;
    VirtualPedal pedal(bus.dir(), fastOptions());
    ASSERT_TRUE(pedal.start());
    TestHost host(pedal.socketPath());
    ASSERT_TRUE(host.connected());
    ASSERT_TRUE(host.descriptor().has_value());
    EXPECT_EQ(host.descriptor()->vendor, 0x0483);
    EXPECT_EQ(host.descriptor()->product, 0x1513);
    EXPECT_EQ(host.descriptor()->release, 0x00C8);
    EXPECT_EQ(host.descriptor()->name, "QUORVEX III");
}

TEST(PedalIdentity, ReportCarriesTextsAtTheirBytePositions) {
    const quorvex::Report r = identityReport(fastOptions());
    EXPECT_EQ(r[0], 63);                 // one whole 63-byte frame
    EXPECT_EQ(r[1], 0xAA);
    EXPECT_EQ(r[2], 0x55);
    EXPECT_EQ(r[3] | r[4] << 8, 57);     // command + 56 payload bytes
    EXPECT_EQ(r[5], 0x00);               // command 0
    EXPECT_EQ(text(r, 6, 15), "KIRO_QUORVEXIII");
    EXPECT_EQ(text(r, 23, 5), "1.0.0");
    EXPECT_EQ(text(r, 45, 6), "V1.1.0");
    EXPECT_EQ(r[59], 'A');
    for (std::size_t i = 6; i <= 61; ++i) {
        const bool named = (i >= 6 && i <= 20) || (i >= 23 && i <= 27) || (i >= 45 && i <= 50) || i == 59;
        if (!named) {
            EXPECT_EQ(r[i], 0) << "report byte " << i;
        }
    }
    const std::uint16_t crc = quorvex::crc16(r.data() + 3, 59);
    EXPECT_EQ(r[62], crc >> 8);
    EXPECT_EQ(r[63], crc & 0xFF);
}

TEST(PedalIdentity, OtherFirmwareAndProductTextsReplaceTheirFields) {
    PedalOptions options = fastOptions();
    options.firmware = "0.9.7";
    options.product = "KIRO_OTHERPEDAL";
    const quorvex::Report r = identityReport(options);
    EXPECT_EQ(text(r, 6, 15), "KIRO_OTHERPEDAL");
    EXPECT_EQ(text(r, 23, 5), "0.9.7");
    EXPECT_EQ(text(r, 45, 6), "V1.1.0");
}

TEST(PedalIdentity, ShortTextsAreZeroPaddedAndLongOnesCut) {
    PedalOptions options = fastOptions();
    options.firmware = "2.0";
    options.product = "KIRO_QUORVEXIII_PLUS";
    const quorvex::Report r = identityReport(options);
    EXPECT_EQ(text(r, 6, 15), "KIRO_QUORVEXIII");
    EXPECT_EQ(r[21], 0);  // the cut part does not spill into the next field
    EXPECT_EQ(text(r, 23, 3), "2.0");
    EXPECT_EQ(r[26], 0);
    EXPECT_EQ(r[27], 0);
}

TEST(PedalIdentity, GreetingIsCountedButNotAnswered) {
    TempBus bus;
    VirtualPedal pedal(bus.dir(), fastOptions());
    ASSERT_TRUE(pedal.start());
    TestHost host(pedal.socketPath());
    host.greet();
    EXPECT_FALSE(host.waitForReports(1, 200ms));
    EXPECT_EQ(pedal.reportsReceived(), 1u);
    EXPECT_TRUE(pedal.receivedFrames().empty());
}

}  // namespace
}  // namespace pedaltest
