// Writes the fuzz targets' seed corpus (fuzz/corpus/<target>/) with the project's own
// writers: the virtual pedal's frames cut into reports, preset files, backups built from
// the pedal's answers, firmware images and bus descriptors. Impulse-response WAV seeds
// come from tests/ir/make_wav_fixtures.sh (sox); see scripts/fuzz.sh --seeds.
// Usage: quorvex-fuzz-seeds CORPUS_DIR
#include "backup_blocks.h"
#include "factory_content.h"
#include "firmware_image_writer.h"
#include "frame.h"
#include "little_endian.h"
#include "pedal_core.h"
#include "virtual_bus.h"
#include "yj_ir_file.h"
#include "yj_preset_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {
using namespace quorvex;
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

fs::path corpus;

void write(const std::string& target, const std::string& name, const Bytes& bytes) {
    const fs::path dir = corpus / target;
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                      static_cast<std::streamsize>(bytes.size()));
}

// Frames as the pedal's reports arrive: 64 bytes each, the identity report first,
// then as many frames as fit in `limit` bytes.
Bytes reportStream(const std::vector<pedal::Frame>& frames, std::size_t limit) {
    Bytes out;
    for (const pedal::Frame& frame : frames) {
        const auto reports = cutIntoReports(frame.data(), frame.size());
        if (out.size() + reports.size() * kReportSize > limit) break;
        for (const Report& r : reports) out.insert(out.end(), r.begin(), r.end());
    }
    return out;
}

void reportSeeds() {
    pedal::PedalCore pedal(pedal::factoryMemory(), {}, true);
    const pedal::Frame identity = pedal.identityFrame();
    constexpr std::size_t kLimit = 4096;

    std::vector<pedal::Frame> state{identity};
    for (pedal::Frame& f : pedal.stateFrames()) state.push_back(std::move(f));
    write("report_stream", "start_state", reportStream(state, kLimit));

    std::vector<pedal::Frame> knobs{identity};
    for (int m = 0; m < kModuleCount; ++m)
        if (auto f = pedal.turnKnob(static_cast<Module>(m), 1, 3)) knobs.push_back(*f);
    if (auto f = pedal.selectPreset(4)) knobs.push_back(*f);
    knobs.push_back(pedal.showModule(Module::Delay));
    knobs.push_back(pedal.moveChain({2, 1, 3, 4, 5, 6, 7, 8, 9, 0, 0, 1, 0, 0, 0, 0, 1, 0}));
    const std::uint8_t tempo[] = {0, 120, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    if (auto f = pedal.changeSetting(pedal::command::kCtrl, tempo)) knobs.push_back(*f);
    write("report_stream", "knobs", reportStream(knobs, kLimit));

    // Answers to the editor's transfers: saving, a preset written, backup blocks.
    std::vector<pedal::Frame> answers{identity};
    const auto ask = [&pedal, &answers](std::uint8_t command, Bytes payload) {
        pedal.handle(command, payload, answers);
    };
    Bytes save{5, 0};
    save.resize(18, 'A');
    ask(pedal::command::kSave, save);
    ask(pedal::command::kBackupRead, {3, 1, 1});
    ask(pedal::command::kBackupRead, {2, 2, 1});
    ask(pedal::command::kBackupRead, {1, 1, 1});
    write("report_stream", "answers", reportStream(answers, kLimit));
}

void presetSeeds() {
    const auto records = pedal::factoryPresetRecords();
    QTemporaryDir dir;
    for (const int slot : {0, 4, 17}) {
        const QString path = dir.filePath(QStringLiteral("seed.kiro"));
        if (!YJPresetInOut::ExportPresetFilePath(path, records[static_cast<std::size_t>(slot)].data(), kRecordSize)) continue;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QByteArray bytes = file.readAll();
        // The first byte tells the target whether to set the check sum itself.
        for (const std::uint8_t seal : {std::uint8_t{0}, std::uint8_t{1}}) {
            Bytes seed{seal};
            seed.insert(seed.end(), bytes.begin(), bytes.end());
            write("preset_file", "slot" + std::to_string(slot) + (seal ? "_sealed" : ""), seed);
        }
    }
}

// A backup as the editor makes it, from the pedal's answers to the requests chosen.
Bytes backup(const std::vector<BackupBlock>& requests, std::size_t presets) {
    pedal::PedalCore pedal(pedal::factoryMemory(), {}, true);
    BackupAssembler assembler;
    for (const BackupBlock& r : requests) {
        std::vector<pedal::Frame> out;
        pedal.handle(pedal::command::kBackupRead, Bytes{r.kind, r.item, r.block}, out);
        if (out.empty()) continue;
        const std::uint8_t* payload = out.front().data() + kHeaderSize;
        assembler.take(r, payload[2], payload + 3);
    }
    const auto records = pedal::factoryPresetRecords();
    Tv_Backup file = assembler.build({records.begin(), records.begin() + static_cast<std::ptrdiff_t>(presets)});
    file.seal();
    Bytes seed{0};  // the check sum as written; the target may set it again
    seed.insert(seed.end(), file.bytes().begin(), file.bytes().end());
    return seed;
}

void backupSeeds() {
    write("backup_file", "system_presets", backup({{3, 1, 1}}, 2));
    write("backup_file", "user_ir", backup({{2, 2, 1}, {2, 2, 2}, {2, 2, 3}, {2, 2, 4}, {3, 1, 1}}, 1));
    write("backup_file", "user_amp", backup({{1, 1, 1}, {1, 1, 2}, {1, 1, 3}, {1, 1, 4}, {1, 1, 5}, {3, 1, 1}}, 0));
}

// The editor's own IR file: its tag, then 2048 samples of 24 bits from byte 512.
void irSeeds() {
    Bytes own(YJIRFile::kOwnFileSize, 0);
    const std::string tag = "TavroIR";
    std::copy(tag.begin(), tag.end(), own.begin());
    for (std::size_t k = 0; k < YJIRFile::kConverted; ++k) {
        const std::uint32_t sample = (k * 2654435761u) & 0xFFFFFF;
        for (std::size_t b = 0; b < 3; ++b) own[YJIRFile::kOwnDataOffset + 3 * k + b] = static_cast<std::uint8_t>(sample >> (8 * b));
    }
    write("ir_file", "own_ir", own);
}

// An amp model: 512 words, their sum, and "2.0" at the end.
void ampSeeds() {
    for (const std::size_t padding : {0, 9}) {
        Bytes amp(2048 + 4 + padding + 3, 0);
        std::uint32_t sum = 0;
        for (std::size_t i = 0; i < 512; ++i) {
            const std::uint32_t word = static_cast<std::uint32_t>(i) * 0x01000193u;
            le::put<std::uint32_t>(amp.data() + 4 * i, word);
            sum += word;
        }
        le::put<std::uint32_t>(amp.data() + 2048, sum);
        std::copy_n("2.0", 3, amp.end() - 3);
        write("amp_file", "model_" + std::to_string(padding), amp);
    }
}

void firmwareSeeds() {
    using updater::ImagePlan;
    using updater::TagPlan;
    ImagePlan two;
    two.tags = {TagPlan{700, 0, 1000, true, 0x04, 0x05}, TagPlan{512, 64, 1000, true, 0x04, 0x05}};
    write("firmware_update", "two_tags", updater::buildFirmwareImage(two));
    ImagePlan skipped;
    skipped.eraseReplyCommand = 0x07;
    skipped.tags = {TagPlan{300, 0, 50, false, 0x04, 0x05}, TagPlan{1100, 8, 50, true, 0x10, 0x11},
                    TagPlan{0, 16, 50, true, 0x04, 0x05}};
    skipped.seed = 7;
    write("firmware_update", "skipped_tag", updater::buildFirmwareImage(skipped));
    ImagePlan none;
    write("firmware_update", "no_tags", updater::buildFirmwareImage(none));
}

void descriptorSeeds() {
    const auto text = [](const vbus::Descriptor& d) {
        const std::string s = vbus::encodeDescriptor(d);
        return Bytes(s.begin(), s.end());
    };
    write("vbus_descriptor", "pedal", text({0x0483, 0x1513, 0x00C8, "QUORVEX III"}));
    write("vbus_descriptor", "boot_loader", text({0x0483, 0x1514, 0x00C8, "KIRO_QUORVEXIII boot"}));
    write("vbus_descriptor", "unicode_name", text({1, 65535, 0, "P\u00e9dale \u2013 \U0001F3B8"}));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    corpus = argv[1];
    reportSeeds();
    presetSeeds();
    backupSeeds();
    irSeeds();
    ampSeeds();
    firmwareSeeds();
    descriptorSeeds();
    return 0;
}
