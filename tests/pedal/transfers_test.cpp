// The acknowledged transfers: impulse-response upload (225), IR delete (228) and the
// whole-pedal backup and restore in blocks (170, 171).
#include "pedal_host.h"

#include <gtest/gtest.h>

#include <string>

namespace pedaltest {
namespace {

using quorvex::pedal::VirtualPedal;

class PedalTransfers : public ConnectedPedalTest {
protected:
    std::optional<HostFrame> request(std::uint8_t kind, std::uint8_t item, std::uint8_t block) {
        host->send(170, {kind, item, block});
        return host->nextWith(170);
    }
    std::optional<HostFrame> write(std::uint8_t kind, std::uint8_t item, std::uint8_t block,
                                   const std::vector<std::uint8_t>& data) {
        std::vector<std::uint8_t> payload{kind, item, block};
        payload.insert(payload.end(), data.begin(), data.end());
        payload.resize(3 + 512, 0);
        host->send(171, payload);
        return host->nextWith(171);
    }
    std::vector<std::uint8_t> irNamesNow() {
        host->send(224);
        auto names = host->nextWith(133, 5000ms);
        EXPECT_TRUE(names);
        // Let the rest of the answer pass so that later waits see only new frames.
        EXPECT_TRUE(host->nextWith(165, 5000ms));
        host->take(299, 10000ms);
        return names ? names->payload : std::vector<std::uint8_t>{};
    }
    static std::vector<std::uint8_t> pattern(std::size_t n, std::uint8_t seed) {
        std::vector<std::uint8_t> v(n);
        for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>(seed + i * 13);
        return v;
    }

};

TEST_F(PedalTransfers, IrChunksAreAcknowledgedAndTheNameArrivesWithTheFourth) {
    const std::uint8_t slot = 3;
    for (std::uint8_t chunk = 1; chunk <= 3; ++chunk) {
        std::vector<std::uint8_t> payload{slot, chunk};
        const auto data = pattern(512, chunk);
        payload.insert(payload.end(), data.begin(), data.end());
        host->send(225, payload);
        const auto ack = host->nextWith(225);
        ASSERT_TRUE(ack);
        EXPECT_EQ(ack->payload, (std::vector<std::uint8_t>{chunk}));
        EXPECT_FALSE(pedal.irSlot(slot).present) << "no IR before its name";
    }
    const std::string name = "MESA OS 412";  // eleven bytes
    std::vector<std::uint8_t> last{slot, 4};
    last.insert(last.end(), name.begin(), name.end());
    host->send(225, last);
    const auto ack = host->nextWith(225);
    ASSERT_TRUE(ack);
    EXPECT_EQ(ack->payload, (std::vector<std::uint8_t>{4}));

    const auto ir = pedal.irSlot(slot);
    EXPECT_TRUE(ir.present);
    EXPECT_EQ(std::string(ir.name.begin(), ir.name.end()), name);
    // The name report shows the first ten bytes at the slot's place.
    const auto names = irNamesNow();
    ASSERT_EQ(names.size(), 150u);
    EXPECT_EQ(std::string(names.begin() + 30, names.begin() + 40), "MESA OS 41");
    EXPECT_EQ(names[40], 'R') << "slot 4 follows unchanged";

    // The uploaded planes come back through the backup, in chunk order.
    for (std::uint8_t block = 1; block <= 3; ++block) {
        const auto answer = request(2, slot + 1, block);
        ASSERT_TRUE(answer);
        ASSERT_EQ(answer->payload.size(), 3u + 512u);
        EXPECT_EQ(std::vector<std::uint8_t>(answer->payload.begin() + 3, answer->payload.end()), pattern(512, block));
    }
}

TEST_F(PedalTransfers, IrDeleteEmptiesTheSlot) {
    ASSERT_TRUE(pedal.irSlot(0).present);
    host->send(228, {0});
    ASSERT_TRUE(pedal.waitForCommand(228, 3000ms));
    EXPECT_FALSE(pedal.irSlot(0).present);
    const auto names = irNamesNow();
    EXPECT_EQ(std::vector<std::uint8_t>(names.begin(), names.begin() + 10), std::vector<std::uint8_t>(10, 0));
    const auto answer = request(2, 1, 1);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->payload, (std::vector<std::uint8_t>{2, 1, 255}));
}

TEST_F(PedalTransfers, BackupAnswersCarryDataOrBlock255) {
    // Presets: items 1..200 are slots 0..199, one block each.
    auto answer = request(4, 1, 1);
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->payload.size(), 515u);
    EXPECT_EQ((std::vector<std::uint8_t>(answer->payload.begin(), answer->payload.begin() + 3)),
              (std::vector<std::uint8_t>{4, 1, 1}));
    const auto rec0 = pedal.record(0);
    EXPECT_TRUE(std::equal(rec0.begin(), rec0.end(), answer->payload.begin() + 3));
    answer = request(4, 200, 1);
    ASSERT_TRUE(answer);
    const auto rec199 = pedal.record(199);
    EXPECT_TRUE(std::equal(rec199.begin(), rec199.end(), answer->payload.begin() + 3));
    answer = request(4, 201, 1);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->payload, (std::vector<std::uint8_t>{4, 201, 255}));

    // System: the ten system bytes and five more in block 1.
    answer = request(3, 1, 1);
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->payload.size(), 515u);
    const auto s = pedal.settings();
    EXPECT_TRUE(std::equal(s.system.begin(), s.system.end(), answer->payload.begin() + 3));
    EXPECT_TRUE(std::equal(s.systemExtra.begin(), s.systemExtra.end(), answer->payload.begin() + 13));

    // User amp models: 5 blocks for a filled slot, nothing for an empty one.
    for (std::uint8_t block = 1; block <= 5; ++block) {
        answer = request(1, 1, block);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->payload.size(), 515u) << "block " << int(block);
        EXPECT_EQ(answer->payload[2], block);
    }
    answer = request(1, 1, 6);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->payload, (std::vector<std::uint8_t>{1, 1, 255}));
    answer = request(1, 2, 1);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->payload, (std::vector<std::uint8_t>{1, 2, 255}));

    // User IRs: 4 blocks for a filled slot (factory slots 0, 1 and 4), none otherwise.
    answer = request(2, 5, 4);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->payload.size(), 515u);
    answer = request(2, 5, 5);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->payload, (std::vector<std::uint8_t>{2, 5, 255}));
    answer = request(2, 3, 1);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->payload, (std::vector<std::uint8_t>{2, 3, 255}));

    // Unknown kinds have nothing.
    answer = request(9, 1, 1);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->payload, (std::vector<std::uint8_t>{9, 1, 255}));
}

TEST_F(PedalTransfers, RestoreBlocksAreAcknowledgedAndStored) {
    // Type 4 item n writes slot n - 1.
    quorvex::PresetRecord rec{};
    for (std::size_t i = 0; i < rec.size(); ++i) rec[i] = static_cast<std::uint8_t>(255 - i % 200);
    auto ack = write(4, 5, 1, std::vector<std::uint8_t>(rec.begin(), rec.end()));
    ASSERT_TRUE(ack);
    EXPECT_EQ(ack->payload, (std::vector<std::uint8_t>{4, 5, 1}));
    EXPECT_EQ(pedal.record(4), rec);
    EXPECT_EQ(pedal.record(5), VirtualPedal::factoryPresets()[5]);

    // Type 3 restores the system bytes.
    ack = write(3, 1, 1, {2, 0, 1, 10, 20, 0, 1, 0, 4, 5, 9, 9, 9, 9, 9});
    ASSERT_TRUE(ack);
    EXPECT_EQ(ack->payload, (std::vector<std::uint8_t>{3, 1, 1}));
    EXPECT_EQ(pedal.settings().system, (std::array<std::uint8_t, 10>{2, 0, 1, 10, 20, 0, 1, 0, 4, 5}));

    // Type 2 fills an empty IR slot once its last block is in; its name comes along.
    std::vector<std::vector<std::uint8_t>> blocks;
    for (std::uint8_t b = 1; b <= 4; ++b) blocks.push_back(pattern(512, static_cast<std::uint8_t>(b * 40)));
    const std::string name = "RESTORED IR";
    std::copy(name.begin(), name.end(), blocks[3].begin());
    std::fill(blocks[3].begin() + 11, blocks[3].end(), 0);
    for (std::uint8_t b = 1; b <= 4; ++b) {
        EXPECT_FALSE(pedal.irSlot(6).present);
        ack = write(2, 7, b, blocks[b - 1u]);
        ASSERT_TRUE(ack);
        EXPECT_EQ(ack->payload, (std::vector<std::uint8_t>{2, 7, b}));
    }
    const auto restored = pedal.irSlot(6);
    EXPECT_TRUE(restored.present);
    EXPECT_EQ(std::string(restored.name.begin(), restored.name.end()), name);
    for (std::uint8_t b = 1; b <= 4; ++b) {
        const auto answer = request(2, 7, b);
        ASSERT_TRUE(answer);
        EXPECT_EQ(std::vector<std::uint8_t>(answer->payload.begin() + 3, answer->payload.end()), blocks[b - 1u]);
    }

    // Type 1 keeps amp data the same way.
    for (std::uint8_t b = 1; b <= 5; ++b) ASSERT_TRUE(write(1, 10, b, pattern(512, b)));
    EXPECT_TRUE(pedal.ampSlot(9).present);
    const auto answer = request(1, 10, 5);
    ASSERT_TRUE(answer);
    EXPECT_EQ(std::vector<std::uint8_t>(answer->payload.begin() + 3, answer->payload.end()), pattern(512, 5));
}

TEST_F(PedalTransfers, BackupOfEveryPresetItemMatchesTheStore) {
    // The editor's backup asks for items 1..200 one by one.
    for (int item = 1; item <= 200; ++item) host->send(170, {4, static_cast<std::uint8_t>(item), 1});
    const auto answers = host->take(200, 20000ms);
    ASSERT_EQ(answers.size(), 200u);
    for (int item = 1; item <= 200; ++item) {
        const auto& a = answers[static_cast<std::size_t>(item - 1)];
        ASSERT_EQ(a.command, 170);
        ASSERT_EQ(a.payload[1], item);
        const auto rec = pedal.record(item - 1);
        EXPECT_TRUE(std::equal(rec.begin(), rec.end(), a.payload.begin() + 3)) << "item " << item;
    }
}

}  // namespace
}  // namespace pedaltest
