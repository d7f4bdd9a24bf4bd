// Throughput of the check value and of frame reassembly.
#include "crc16.h"
#include "frame.h"
#include "frame_parser.h"
#include "rx_ring.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace quorvex;

void BM_Crc16(benchmark::State& state) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(state.range(0)));
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 31);
    for (auto _ : state) benchmark::DoNotOptimize(crc16(bytes.data(), bytes.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Crc16)->Arg(64)->Arg(522)->Arg(4096);

// Preset-record frames (521 bytes) pushed through the ring and the parser in 63-byte reports.
void BM_ParseRecordFrames(benchmark::State& state) {
    std::vector<std::uint8_t> payload(514, 0x5A);
    const auto frame = buildFrame(165, payload);
    const auto reports = cutIntoReports(frame.data(), frame.size());
    RxRing ring;
    std::size_t frames = 0;
    FrameParser parser(ring, [&frames](const std::uint8_t*, std::size_t) { ++frames; });
    for (auto _ : state) {
        for (const Report& r : reports) ring.put(r.data() + 1, r[0]);
        parser.run();
    }
    if (frames != static_cast<std::size_t>(state.iterations())) state.SkipWithError("frames lost");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * frame.size()));
}
BENCHMARK(BM_ParseRecordFrames);

}  // namespace
