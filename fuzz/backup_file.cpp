// A backup file (".tbf") as a restore reads it: the validity check, then every section
// and item walked into the blocks the restore would send, and the description the
// command-line tool prints. The first input byte chooses whether the check sum is set
// right before reading, so that the fuzzer also gets past it into the sections.
#include "backup_blocks.h"
#include "little_endian.h"

#include <QStringList>

#include <cstdint>
#include <numeric>

using namespace quorvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    std::vector<std::uint8_t> bytes(data + 1, data + size);
    constexpr std::size_t kCheckSumAt = 1016;
    if ((data[0] & 1) && bytes.size() >= Tv_Backup::kHeaderSize) {
        const std::uint64_t sum = std::accumulate(bytes.begin(), bytes.begin() + kCheckSumAt, std::uint64_t{0}) +
                                  std::accumulate(bytes.begin() + Tv_Backup::kHeaderSize, bytes.end(), std::uint64_t{0});
        le::put<std::uint64_t>(bytes.data() + kCheckSumAt, sum);
    }
    Tv_Backup file = Tv_Backup::forThisPedal();
    if (file.readBytes(std::move(bytes)) != Tv_Backup::Check::Valid) return 0;
    const std::vector<RestoreBlock> blocks = restoreBlocks(file);
    for (const RestoreBlock& block : blocks) (void)blockDescription(block.at);
    (void)describeBackup(file);
    return 0;
}
