// A preset file (".kiro") as an import reads it: the checks, the record taken from it,
// every value the editor shows from the record, and the record named after the file.
// The first input byte chooses whether the check sum is set right before reading, so
// that the fuzzer also gets past it; the rest is the file.
#include "little_endian.h"
#include "preset_file_names.h"
#include "yj_preset_file.h"

#include <cstdint>
#include <vector>

using namespace quorvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    std::vector<std::uint8_t> bytes(data + 1, data + size);
    constexpr std::size_t kCheckSumAt = 508;
    if ((data[0] & 1) && bytes.size() == YJPresetFile::kFileSize)
        le::put<std::uint32_t>(bytes.data() + kCheckSumAt, YJPresetFile::dataCheckSum(bytes.data()));
    YJPresetFile file;
    std::int32_t error = YJPresetFile::kNoError;
    PresetRecord record{};
    if (!file.readImage(bytes.data(), bytes.size(), error) || !file.ReadPresetBufferPresetData(record.data(), kRecordSize))
        return 0;
    for (int m = 0; m < kModuleCount; ++m) (void)moduleValuesFromRecord(record, static_cast<Module>(m));
    (void)chainFromRecord(record);
    (void)expFromRecord(record);
    (void)ctrlFromRecord(record);
    // The file's name is outside input too: the record's own name bytes stand in for it.
    const QString baseName = QString::fromUtf8(recordName(record));
    (void)slotFromFileName(baseName);
    const std::string name = recordName(recordNamedFromFile(record, baseName));
    // The naming rule leaves at most 15 characters, nothing but digits, space and A..Z.
    if (name.size() > 15) __builtin_trap();
    for (const char c : name)
        if (!(c == ' ' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))) __builtin_trap();
    return 0;
}
