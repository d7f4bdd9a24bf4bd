// An amp-model file (".amp") as its import reads it.
#include "amp_file.h"

#include <cstdint>
#include <numeric>

using namespace quorvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    AMPFile file;
    if (!file.openBytes({data, size}, QStringLiteral("FUZZ AMP"))) return 0;
    // An accepted model's check word is the sum of its words.
    const auto& words = file.modelData();
    if (std::accumulate(words.begin(), words.end(), std::uint32_t{0}) != file.checkWord()) __builtin_trap();
    return 0;
}
