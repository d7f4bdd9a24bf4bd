// The virtual bus pieces a device program uses: the descriptor and the device end socket.
#include "transport_support.h"
#include "virtual_bus.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>

namespace quorvex::testing {
namespace {

using vbus::decodeDescriptor;
using vbus::Descriptor;
using vbus::DeviceSocket;
using vbus::encodeDescriptor;

std::optional<Descriptor> decode(const std::string& text) {
    return decodeDescriptor({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

TEST(Descriptor, RoundTripsAllFieldsIncludingUtf8Names) {
    for (const Descriptor& original : {Descriptor{0x0483, 0x1513, 0x00C8, "QUORVEX III"},
                                       Descriptor{0, 65535, 1, "Boot \"loader\" \xC3\x9C\xE2\x80\x94 ok"},
                                       Descriptor{65535, 0, 65535, ""}}) {
        const auto decoded = decode(encodeDescriptor(original));
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->vendor, original.vendor);
        EXPECT_EQ(decoded->product, original.product);
        EXPECT_EQ(decoded->release, original.release);
        EXPECT_EQ(decoded->name, original.name);
    }
}

TEST(Descriptor, ReadsWhatOtherProgramsWrite) {
    const auto d = decode(R"(  {"vendor":1155,"product":5395,"release":200,"name":"QUORVEX III"}
)");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->vendor, 0x0483);
    EXPECT_EQ(d->product, 0x1513);
    EXPECT_EQ(d->release, 0x00C8);
    EXPECT_EQ(d->name, "QUORVEX III");

    const auto nameless = decode(R"({"release":200,"product":5395,"vendor":1155,"extra":[1,2]})");
    ASSERT_TRUE(nameless);
    EXPECT_EQ(nameless->name, "");
    const auto integralDouble = decode(R"({"vendor":1155.0,"product":5395,"release":2e2})");
    ASSERT_TRUE(integralDouble);
    EXPECT_EQ(integralDouble->release, 200);
}

TEST(Descriptor, RejectsMalformedInput) {
    for (const std::string text : {"", " ", "{", "}", "null", "[]", "[1155,5395,200]", "\"text\"", "1155",
                                   R"({"vendor":1155,"product":5395,"release":200)",
                                   R"({"vendor":1155,"product":5395,"release":200}})",
                                   R"({"vendor":1155 "product":5395,"release":200})",
                                   R"({vendor:1155,product:5395,release:200})"}) {
        EXPECT_FALSE(decode(text)) << text;
    }
    // Bytes that are not text at all.
    const std::string withNul("{\"vendor\":1155,\0\"product\":5395,\"release\":200}", 44);
    EXPECT_FALSE(decode(withNul));
    EXPECT_FALSE(decode(std::string(5000, ' ') + R"({"vendor":1,"product":2,"release":3})"));  // oversized
}

TEST(Descriptor, RejectsMissingOrMistypedFields) {
    for (const std::string text : {R"({"product":5395,"release":200})", R"({"vendor":1155,"release":200})",
                                   R"({"vendor":1155,"product":5395})", R"({"vendor":"1155","product":5395,"release":200})",
                                   R"({"vendor":1155,"product":true,"release":200})",
                                   R"({"vendor":1155,"product":5395,"release":null})",
                                   R"({"vendor":[1155],"product":5395,"release":200})",
                                   R"({"vendor":1155,"product":5395,"release":200,"name":7})",
                                   R"({"vendor":1155,"product":5395,"release":200,"name":null})"}) {
        EXPECT_FALSE(decode(text)) << text;
    }
}

TEST(Descriptor, RejectsNumbersOutsideSixteenBits) {
    for (const std::string value : {"-1", "65536", "1e5", "1.5", "65535.5", "-0.5", "1e309", "-1e309",
                                    "4294967296", "18446744073709551616"}) {
        EXPECT_FALSE(decode(R"({"vendor":)" + value + R"(,"product":5395,"release":200})")) << value;
        EXPECT_FALSE(decode(R"({"vendor":1155,"product":5395,"release":)" + value + "}")) << value;
    }
    EXPECT_TRUE(decode(R"({"vendor":0,"product":65535,"release":0})"));
}

TEST(Descriptor, SurvivesMutatedInputAndAcceptsOnlyConsistentResults) {
    const std::string seed = encodeDescriptor({0x0483, 0x1513, 0x00C8, "QUORVEX III"});
    std::mt19937 random(7);
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text = seed;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = random() % text.size();
            switch (random() % 3) {
                case 0: text[at] = static_cast<char>(random() & 0xFF); break;
                case 1: text.erase(at, 1 + random() % 3); break;
                default: text.insert(at, 1, static_cast<char>(random() & 0xFF)); break;
            }
            if (text.empty()) text = "{";
        }
        const auto decoded = decode(text);
        if (!decoded) continue;
        ++accepted;
        // Whatever is accepted must describe itself the same way again.
        const auto again = decode(encodeDescriptor(*decoded));
        ASSERT_TRUE(again) << text;
        EXPECT_EQ(again->vendor, decoded->vendor);
        EXPECT_EQ(again->product, decoded->product);
        EXPECT_EQ(again->release, decoded->release);
        EXPECT_EQ(again->name, decoded->name);
    }
    EXPECT_GT(accepted, 0);  // some mutations (inside the name) stay valid
}

TEST(DeviceMatchTest, EditorMatchesAllNumbersUpdaterIgnoresProduct) {
    const DeviceInfo pedal{"p", 0x0483, 0x1513, 0x00C8, "QUORVEX III"};
    const DeviceInfo loader{"l", 0x0483, 0xDF11, 0x00C8, "boot"};
    const DeviceInfo otherRelease{"r", 0x0483, 0x1513, 0x00C9, ""};
    const DeviceInfo otherVendor{"v", 0x0484, 0x1513, 0x00C8, ""};

    const DeviceMatch editor;
    EXPECT_TRUE(editor.matches(pedal));
    EXPECT_FALSE(editor.matches(loader));
    EXPECT_FALSE(editor.matches(otherRelease));
    EXPECT_FALSE(editor.matches(otherVendor));

    const DeviceMatch updater{0x0483, std::nullopt, 0x00C8};
    EXPECT_TRUE(updater.matches(pedal));
    EXPECT_TRUE(updater.matches(loader));
    EXPECT_FALSE(updater.matches(otherRelease));
    EXPECT_FALSE(updater.matches(otherVendor));
}

// --- The device end ---

class DeviceSocketTest : public ::testing::Test {
protected:
    TempDir bus;
    Descriptor descriptor{0x0483, 0x1513, 0x00C8, "QUORVEX III"};

    void connectHost(RawSocket& host, const std::string& path) {
        ASSERT_TRUE(host.connect(path)) << std::strerror(errno);
    }
};

TEST_F(DeviceSocketTest, HostReceivesDescriptorFirstThenReportsBothWays) {
    DeviceSocket device(bus.path(), "pedal", descriptor);
    ASSERT_TRUE(device.listen());
    EXPECT_TRUE(std::filesystem::is_socket(bus.file("pedal")));
    EXPECT_EQ(device.path(), bus.file("pedal"));

    RawSocket host;
    connectHost(host, device.path());
    ASSERT_TRUE(device.accept(kGenerous));
    EXPECT_TRUE(device.connected());

    const auto first = host.receive();
    const auto decoded = decodeDescriptor(first);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->product, 0x1513);
    EXPECT_EQ(decoded->name, "QUORVEX III");

    ASSERT_TRUE(device.send(tagged(1)));
    ASSERT_TRUE(device.send(tagged(2, 5)));
    const Report one = tagged(1);
    const Report two = tagged(2, 5);
    EXPECT_EQ(host.receive(), std::vector<std::uint8_t>(one.begin(), one.end()));
    EXPECT_EQ(host.receive(), std::vector<std::uint8_t>(two.begin(), two.end()));

    const Report fromHost = tagged(9);
    ASSERT_TRUE(host.send(fromHost.data(), fromHost.size()));
    EXPECT_EQ(device.receive(kGenerous), fromHost);
}

TEST_F(DeviceSocketTest, ReceivePadsShortAndCutsLongDatagrams) {
    DeviceSocket device(bus.path(), "pedal", descriptor);
    ASSERT_TRUE(device.listen());
    RawSocket host;
    connectHost(host, device.path());
    ASSERT_TRUE(device.accept(kGenerous));

    const std::uint8_t shortOne[3] = {2, 0xAA, 0x55};
    ASSERT_TRUE(host.send(shortOne, sizeof shortOne));
    std::vector<std::uint8_t> longOne(100);
    for (std::size_t i = 0; i < longOne.size(); ++i) longOne[i] = static_cast<std::uint8_t>(i);
    ASSERT_TRUE(host.send(longOne.data(), longOne.size()));

    Report expectedShort{};
    std::copy(std::begin(shortOne), std::end(shortOne), expectedShort.begin());
    EXPECT_EQ(device.receive(kGenerous), expectedShort);
    Report expectedLong{};
    std::copy(longOne.begin(), longOne.begin() + 64, expectedLong.begin());
    EXPECT_EQ(device.receive(kGenerous), expectedLong);

    EXPECT_FALSE(device.receive(20ms));  // nothing more: a time-out, still connected
    EXPECT_TRUE(device.connected());
}

TEST_F(DeviceSocketTest, HostLeavingDropsTheConnectionWithoutSignals) {
    DeviceSocket device(bus.path(), "pedal", descriptor);
    ASSERT_TRUE(device.listen());
    {
        RawSocket host;
        connectHost(host, device.path());
        ASSERT_TRUE(device.accept(kGenerous));
    }
    // Sending to a host that left must fail, not raise SIGPIPE (which would end this test).
    bool sent = true;
    for (int i = 0; i < 3 && sent; ++i) sent = device.send(tagged(1));
    EXPECT_FALSE(sent);
    EXPECT_FALSE(device.receive(kGenerous));
    EXPECT_FALSE(device.connected());
    EXPECT_FALSE(device.send(tagged(1)));

    // The socket still listens: the next host is served.
    RawSocket next;
    connectHost(next, device.path());
    ASSERT_TRUE(device.accept(kGenerous));
    EXPECT_TRUE(decodeDescriptor(next.receive()));
}

TEST_F(DeviceSocketTest, AcceptSkipsHostsThatGaveUpAndTimesOutWithoutHost) {
    DeviceSocket device(bus.path(), "pedal", descriptor);
    ASSERT_TRUE(device.listen());
    EXPECT_FALSE(device.accept(30ms));
    EXPECT_FALSE(device.connected());

    {
        RawSocket quitter;
        connectHost(quitter, device.path());
    }  // closed before the device accepted it
    RawSocket host;
    connectHost(host, device.path());
    ASSERT_TRUE(device.accept(kGenerous));
    EXPECT_TRUE(decodeDescriptor(host.receive()));
    ASSERT_TRUE(device.send(tagged(3)));
    EXPECT_EQ(host.receive().size(), kReportSize);
}

TEST_F(DeviceSocketTest, DisconnectKeepsListeningCloseUnplugs) {
    DeviceSocket device(bus.path(), "pedal", descriptor);
    ASSERT_TRUE(device.listen());
    RawSocket host;
    connectHost(host, device.path());
    ASSERT_TRUE(device.accept(kGenerous));
    ASSERT_FALSE(host.receive().empty());

    device.disconnect();
    EXPECT_FALSE(device.connected());
    EXPECT_TRUE(host.waitHangUp());
    EXPECT_TRUE(std::filesystem::exists(device.path()));

    device.close();
    EXPECT_FALSE(std::filesystem::exists(device.path()));
    RawSocket late;
    EXPECT_FALSE(late.connect(device.path()));
}

TEST_F(DeviceSocketTest, DestructionRemovesTheSocketFile) {
    std::string path;
    {
        DeviceSocket device(bus.path(), "pedal", descriptor);
        ASSERT_TRUE(device.listen());
        path = device.path();
        EXPECT_TRUE(std::filesystem::exists(path));
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(DeviceSocketTest, ListenReplacesAStaleSocketFile) {
    {
        RawSocket crashed;
        ASSERT_TRUE(crashed.bind(bus.file("pedal")));
        ASSERT_TRUE(crashed.listen());
    }  // its process died: the file stays, nobody listens
    ASSERT_TRUE(std::filesystem::exists(bus.file("pedal")));

    DeviceSocket device(bus.path(), "pedal", descriptor);
    ASSERT_TRUE(device.listen());
    RawSocket host;
    connectHost(host, device.path());
    ASSERT_TRUE(device.accept(kGenerous));
    EXPECT_TRUE(decodeDescriptor(host.receive()));
}

TEST_F(DeviceSocketTest, ListenFailsCleanlyOnOverlongPathOrMissingFolder) {
    DeviceSocket tooLong(bus.path(), std::string(120, 'p'), descriptor);
    EXPECT_FALSE(tooLong.listen());
    EXPECT_FALSE(tooLong.connected());
    EXPECT_FALSE(tooLong.accept(10ms));
    EXPECT_FALSE(tooLong.send(tagged(1)));
    tooLong.close();
    EXPECT_TRUE(std::filesystem::is_empty(bus.path()));

    // 107 bytes is the longest path that fits: still works.
    const std::string base = bus.path() + "/";
    DeviceSocket longest(bus.path(), std::string(107 - base.size(), 'q'), descriptor);
    EXPECT_EQ(longest.path().size(), 107u);
    ASSERT_TRUE(longest.listen());
    RawSocket host;
    connectHost(host, longest.path());
    ASSERT_TRUE(longest.accept(kGenerous));

    DeviceSocket nowhere("/nonexistent-folder/deeper", "pedal", descriptor);
    EXPECT_FALSE(nowhere.listen());
}

}  // namespace
}  // namespace quorvex::testing
