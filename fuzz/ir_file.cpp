// An impulse-response file (WAV or the editor's own IR file) as the CAB panel reads it:
// recognised, then converted to the pedal's samples for each length the panel may ask.
#include "yj_ir_file.h"

#include <cstdint>

using namespace quorvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    YJIRFile file;
    IrFileError error;
    if (!file.openBytes(std::vector<std::uint8_t>(data, data + size), QStringLiteral("FUZZ CAB"), &error)) return 0;
    for (int n = 1; n <= 4; n += 3) {
        if (!file.GetIRDataBuffer(n)) return 0;
        // Converted samples are 24-bit patterns: the top byte stays zero.
        for (const std::uint32_t sample : file.irdatabuff())
            if (sample > 0xFFFFFF) __builtin_trap();
    }
    return 0;
}
