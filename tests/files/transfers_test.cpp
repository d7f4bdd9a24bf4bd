// Backup and restore against the virtual pedal, on an event loop.
#include "support/link_harness.h"
#include "support/received_frames.h"
#include "support/transfer_loop.h"
#include "commands.h"
#include "whole_pedal_transfers.h"

#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace quorvex {
namespace {

using namespace std::chrono_literals;
using testing::LinkHarness;

class Transfers : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::ensureCoreApplication(); }

    // A pedal paced like the real one, a link whose ring turns ten times faster.
    pedal::VirtualPedal& start(pedal::PedalOptions options = LinkHarness::options()) {
        pedal::VirtualPedal& p = harness.addPedal(options);
        harness.startLink(20ms, 1ms);
        EXPECT_TRUE(harness.waitForPresets());
        return p;
    }

    static LinkTransfer::End run(LinkTransfer& transfer, int* turns = nullptr) { return testing::runToEnd(transfer, turns); }

    LinkHarness harness;
};

// The pedal loses its answers to two block requests and two block writes, once each:
// both are sent again, and the backup and the restore end as a clean run would.
TEST_F(Transfers, BackupThenRestoreResendsExactlyTheFileBlocks) {
    pedal::PedalOptions options = LinkHarness::options();
    options.loseAnswersTo = {{cmd::BackupRead, {3, 40}}, {cmd::BackupWrite, {5, 100}}};
    pedal::VirtualPedal& pedal = start(options);
    BackupAssembler assembler;
    auto backup = makeBackupTransfer(harness.link(), assembler, 1ms);
    int turns = 0;
    ASSERT_EQ(run(*backup, &turns), LinkTransfer::End::Done);
    // The window would have gone on: the loop turned all through the backup.
    EXPECT_GT(turns, 20);
    EXPECT_GE(testing::countOf(pedal, cmd::BackupRead), backupRequests().size() + 2);

    QTemporaryDir dir;
    const QString path = dir.filePath("XB420BackupFile.tbf");
    const auto presets = backupPresets(harness.link());
    ASSERT_TRUE(assembler.build(presets).exportBackupFileForPath(path));
    Tv_Backup file = Tv_Backup::forThisPedal();
    ASSERT_EQ(file.readFile(path), Tv_Backup::Check::Valid);
    Tv_Backup clean = testing::factoryBackupBlocks().build(presets);
    clean.seal();
    EXPECT_EQ(file.bytes(), clean.bytes());
    const auto blocks = restoreBlocks(file);
    ASSERT_EQ(blocks.size(), 2 * 5 + 3 * 4 + 1 + 200u);

    auto restore = makeRestoreTransfer(harness.link(), blocks, 1ms);
    ASSERT_EQ(run(*restore), LinkTransfer::End::Done);
    auto sent = testing::payloadsOf(pedal, cmd::BackupWrite);
    ASSERT_GE(sent.size(), blocks.size() + 2);
    sent.erase(std::unique(sent.begin(), sent.end()), sent.end());  // the blocks sent again
    ASSERT_EQ(sent.size(), blocks.size());
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        std::vector<std::uint8_t> expected = {blocks[i].at.kind, blocks[i].at.item, blocks[i].at.block};
        expected.insert(expected.end(), blocks[i].data.begin(), blocks[i].data.end());
        EXPECT_EQ(sent[i], expected) << i;
    }
}

TEST_F(Transfers, ACancelledRestoreEndsAtOnceAndSaysWhatThePedalHolds) {
    pedal::PedalOptions options = LinkHarness::options();
    options.noAcks = true;
    start(options);
    RestoreBlock block;
    block.at = {4, 3, 1};
    auto cancelled = makeRestoreTransfer(harness.link(), {block}, 1ms);
    QTimer::singleShot(50, cancelled.get(), &LinkTransfer::cancel);
    ASSERT_EQ(run(*cancelled), LinkTransfer::End::Cancelled);
    EXPECT_EQ(restoreFailureText(LinkTransfer::End::Cancelled, *cancelled),
              "The restore was cancelled after 0 of 1 blocks. The pedal now holds a partial restore: run the "
              "restore again.");
}

}  // namespace
}  // namespace quorvex
