// The fault matrix of quorvex-cli: every transfer against a virtual pedal (or boot loader)
// that loses 1 % of its reports, damages 1 % of its frames, is unplugged early, midway or
// at the end of the transfer, or does not acknowledge. Each row names how the command
// ends (exit code and its exact words) and the checks of the files and of the pedal.
#include "backup_blocks.h"
#include "cli_file_commands.h"
#include "cli_firmware_update.h"
#include "cli_session.h"
#include "firmware_image.h"
#include "factory_content.h"
#include "firmware_image_writer.h"
#include "preset_file_names.h"
#include "support/link_harness.h"
#include "support/received_frames.h"
#include "support/transfer_loop.h"
#include "tv_backup.h"
#include "updater/updater_harness.h"
#include "virtual_boot_loader.h"
#include "yj_preset_file.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>
#include <thread>

namespace quorvex::testing {
namespace {

using namespace std::chrono_literals;
using cli::CliOptions;
using cli::Command;

enum class Transfer { Loading, CurrentLoad, PresetWrite, IrUpload, AmpUpload, Backup, Restore, Firmware };
enum class Fault { None, Drop, Corrupt, UnplugEarly, UnplugMidway, UnplugEnd, NoAcks };

struct Row {
    Transfer transfer;
    Fault fault;
    int exitCode;
    std::string err;  // everything the command says on standard error, or its pattern:
    bool byMeaning = false;  // which presets or packets a random loss hits is left open
};

const char* const kTransferNames[] = {"Loading", "CurrentLoad", "PresetWrite", "IrUpload",
                                      "AmpUpload", "Backup", "Restore", "Firmware"};
const char* const kFaultNames[] = {"None", "Drop", "Corrupt", "UnplugEarly", "UnplugMidway", "UnplugEnd", "NoAcks"};

// The batch import: four factory presets into slots 011B..012A under new names.
constexpr int kBatchSource = 150, kBatchSlot = 10, kBatchFiles = 4;
constexpr int kIrUserSlot = 1, kAmpUserSlot = 2;  // GREENBACK, and empty at the factory
const std::string kUserBackup = "the guitarist's own backup\n";

// The input files every row reads, written once.
struct Inputs {
    QTemporaryDir dir;
    std::vector<std::string> batch;
    std::string single, wav, amp, image, backup, clean;  // clean: a backup of the factory pedal
    std::vector<PresetRecord> presets;                     // those the restore writes
    std::size_t restoreFrames = 0;

    std::string path(const QString& name) const { return dir.filePath(name).toStdString(); }
    static const Inputs& get();
};

void writeBytes(const std::string& path, const void* data, std::size_t size) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(static_cast<const char*>(data), static_cast<qint64>(size));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// 512 frames of 16-bit mono PCM at 44100 Hz, a falling ramp.
std::vector<std::uint8_t> wavBytes() {
    std::vector<std::uint8_t> w;
    const auto text = [&w](const char* t) { w.insert(w.end(), t, t + 4); };
    text("RIFF"), put32(w, 36 + 1024), text("WAVE"), text("fmt ");
    for (const std::uint32_t v : {16u, 1u | 1u << 16, 44100u, 88200u, 2u | 16u << 16}) put32(w, v);
    text("data"), put32(w, 1024);
    for (int i = 0; i < 512; ++i)
        for (const int shift : {0, 8}) w.push_back(static_cast<std::uint8_t>(((512 - i) * 40) >> shift));
    return w;
}

// 512 data words, their sum, and the version mark.
std::vector<std::uint8_t> ampBytes() {
    std::vector<std::uint8_t> a;
    for (std::uint32_t i = 0; i < 512; ++i) put32(a, i * 0x01010101u);
    put32(a, 0x01010101u * (511 * 512 / 2));
    a.insert(a.end(), {'2', '.', '0'});
    return a;
}

// A firmware image of 198 packets: 196 in a large area, 2 in a small one.
updater::ImagePlan firmwarePlan() {
    updater::ImagePlan plan;
    plan.tags = {{100000, 16, 400}, {1024, 400, 400}};
    return plan;
}
constexpr int kFirmwarePackets = 198;

// File i of the batch as the pedal stores it: the factory preset under the file's name.
PresetRecord batchRecord(int i) {
    return recordNamedFromFile(pedal::VirtualPedal::factoryPresets()[kBatchSource + i],
                               QStringLiteral("P%1-MOVED %2").arg(kBatchSlot + 1 + i).arg(i));
}

// Runs a command's work as quorvex-cli does once the presets have loaded, on a link with
// a 1 ms tick.
struct CliRun {
    int code = -1;
    std::string out, err;
};
CliRun runWork(LinkHarness& harness, const CliOptions& options) {
    CliRun run;
    std::ostringstream out, err;
    auto prepared = cli::prepareFileCommand(options, err);
    if (const int* code = std::get_if<int>(&prepared)) {
        run.code = *code;
    } else {
        run.code = std::get<cli::PedalWork>(prepared)(harness.link(), out, err, false);
    }
    run.out = out.str();
    run.err = err.str();
    return run;
}

const Inputs& Inputs::get() {
    static Inputs* inputs = [] {
        auto* in = new Inputs;
        const auto factory = pedal::VirtualPedal::factoryPresets();
        for (int i = 0; i < kBatchFiles; ++i) {
            in->batch.push_back(in->path(QStringLiteral("P%1-MOVED %2.kiro").arg(kBatchSlot + 1 + i).arg(i)));
            YJPresetInOut::ExportPresetFilePath(QString::fromStdString(in->batch.back()),
                                                factory[kBatchSource + i].data(), kRecordSize);
        }
        in->single = in->path("MY TONE.kiro");
        YJPresetInOut::ExportPresetFilePath(QString::fromStdString(in->single), factory[4].data(), kRecordSize);
        in->wav = in->path("room.wav");
        const auto wav = wavBytes();
        writeBytes(in->wav, wav.data(), wav.size());
        in->amp = in->path("MY AMP.amp");
        const auto amp = ampBytes();
        writeBytes(in->amp, amp.data(), amp.size());
        in->image = in->path("image.tr");
        updater::writeFirmwareImage(firmwarePlan(), in->image);

        // The backup of the factory pedal, and the one to restore: that pedal with the batch
        // in slots 011B..012A, from the blocks the pedal answers (no link, so that a busy
        // machine cannot spoil them).
        const BackupAssembler assembler = factoryBackupBlocks();
        in->presets.assign(factory.begin(), factory.begin() + kBackupPresetCount);
        EXPECT_TRUE(assembler.build(in->presets).exportBackupFileForPath(QString::fromStdString(in->clean = in->path("clean.tbf"))));
        for (int i = 0; i < kBatchFiles; ++i) in->presets[kBatchSlot + i] = batchRecord(i);
        Tv_Backup file = assembler.build(in->presets);
        EXPECT_TRUE(file.exportBackupFileForPath(QString::fromStdString(in->backup = in->path("source.tbf"))));
        in->restoreFrames = restoreBlocks(file).size();
        return in;
    }();
    return *inputs;
}

// The command each transfer sends, and how many frames of it.
int commandOf(Transfer t) {
    constexpr int commands[] = {224, 131, 229, 225, 226, 170, 171, 4};
    return commands[static_cast<int>(t)];
}
int framesOf(Transfer t) {
    const int frames[] = {1, 1, kBatchFiles, 4, 5, int(backupRequests().size()), int(Inputs::get().restoreFrames), kFirmwarePackets};
    return frames[static_cast<int>(t)];
}
int placeOf(Fault f, int frames) {
    return f == Fault::UnplugEarly ? 1 : f == Fault::UnplugMidway ? (frames + 1) / 2 : frames;
}
bool unplugs(Fault f) { return f == Fault::UnplugEarly || f == Fault::UnplugMidway || f == Fault::UnplugEnd; }

// The pedal of a row: the faults strike once the transfer's first frame has arrived;
// for the start-up, from the start, with the unplug counted in frames sent (of the 320
// of a whole start-up, 318 leaves the last preset undelivered).
pedal::PedalOptions pedalOptions(const Row& row) {
    pedal::PedalOptions o = LinkHarness::options();
    const bool loading = row.transfer == Transfer::Loading;
    if (!loading) o.faultsFromCommand = commandOf(row.transfer);
    if (row.fault == Fault::Drop) o.dropRate = 0.01;
    if (row.fault == Fault::Corrupt) o.corruptRate = 0.01;
    if (row.fault == Fault::NoAcks) o.noAcks = true;
    if (unplugs(row.fault) && loading) {
        o.unplugAfterFrames = row.fault == Fault::UnplugEarly ? 5 : row.fault == Fault::UnplugMidway ? 160 : 318;
    } else if (unplugs(row.fault)) {
        o.unplugOnCommand = commandOf(row.transfer);
        o.unplugOnOccurrence = placeOf(row.fault, framesOf(row.transfer));
    }
    return o;
}

pedal::BootLoaderOptions bootLoaderOptions(Fault f) {
    pedal::BootLoaderOptions o;
    o.dropRate = f == Fault::Drop ? 0.01 : 0.0;
    o.corruptRate = f == Fault::Corrupt ? 0.01 : 0.0;
    if (unplugs(f)) o.unplugAfterPackets = placeOf(f, kFirmwarePackets);
    if (f == Fault::NoAcks) o.silentAfterPackets = 1;  // the acknowledgements stop after the first packet
    return o;
}

class CliFaultMatrix : public ::testing::TestWithParam<Row> {
protected:
    void SetUp() override { ensureCoreApplication(); }
    QTemporaryDir out;
};

TEST_P(CliFaultMatrix, EndsAsTheRowSays) {
    const Row& row = GetParam();
    const Inputs& in = Inputs::get();
    CliOptions options;
    options.waitSeconds = 5;
    CliRun run;

    if (row.transfer == Transfer::Firmware) {
        pedal::VirtualBootLoader loader(out.path().toStdString(), bootLoaderOptions(row.fault));
        ASSERT_TRUE(loader.start());
        options.busDir = out.path().toStdString();
        options.firmwareImage = in.image;
        std::ostringstream err;
        run.code = cli::runFirmwareUpdate(options, err, false);
        run.err = err.str();
        const auto image = std::get<updater::FirmwareImage>(updater::readFirmwareImage(in.image));
        if (row.exitCode == cli::kOk) {
            EXPECT_TRUE(waitUntil([&] { return loader.jumped(); }, 5s));
            EXPECT_EQ(loader.verify(image), std::nullopt);
        } else {
            std::this_thread::sleep_for(100ms);  // a jump sent after the failure would have arrived
            EXPECT_FALSE(loader.jumped()) << "a half-written firmware was started";
        }
    } else if (row.transfer == Transfer::Loading) {
        LinkHarness harness;
        harness.addPedal(pedalOptions(row));
        options.busDir = harness.busDir();
        std::ostringstream outText, err;
        run.code = cli::runSession(options, outText, err, false);
        run.out = outText.str();
        run.err = err.str();
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), row.exitCode == cli::kUnplugged ? 0 : 300);
    } else {
        LinkHarness harness;
        pedal::VirtualPedal& pedal = harness.addPedal(pedalOptions(row));
        harness.startLink(20ms, 1ms);
        ASSERT_TRUE(harness.waitForPresets());
        const std::string target = out.filePath("pedal.tbf").toStdString();
        switch (row.transfer) {
        case Transfer::CurrentLoad: options.command = Command::Import, options.files = {in.single}; break;
        case Transfer::PresetWrite: options.command = Command::Import, options.files = in.batch; break;
        case Transfer::IrUpload: options.command = Command::IrImport, options.files = {in.wav}; break;
        case Transfer::AmpUpload: options.command = Command::AmpImport, options.files = {in.amp}; break;
        case Transfer::Backup: options.command = Command::Backup, options.target = target; break;
        default: options.command = Command::Restore, options.target = in.backup; break;
        }
        options.userSlot = row.transfer == Transfer::IrUpload ? kIrUserSlot : kAmpUserSlot;
        // The guitarist's file at the backup's place stays as it was unless the backup is whole.
        writeBytes(target, kUserBackup.data(), kUserBackup.size());
        run = runWork(harness, options);

        if (unplugs(row.fault)) {
            EXPECT_TRUE(harness.events.waitUntil([&] { return harness.events.exitMessage.has_value(); }));
            EXPECT_EQ(harness.events.exitMessage.value_or(""), kDisconnectMessage);  // quorvex-cli's last line
        }
        const bool done = row.exitCode == cli::kOk;
        QFile kept(QString::fromStdString(target));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{"pedal.tbf"}) << "a partial file was left";
        if (row.transfer == Transfer::Backup && done) {
            QFile clean(QString::fromStdString(in.clean));
            ASSERT_TRUE(clean.open(QIODevice::ReadOnly));
            EXPECT_TRUE(kept.readAll() == clean.readAll()) << "the backup differs from a clean run's";
        } else {
            EXPECT_EQ(kept.readAll().toStdString(), kUserBackup) << "the guitarist's file was overwritten";
        }

        const auto factory = pedal::VirtualPedal::factoryPresets();
        switch (row.transfer) {
        case Transfer::CurrentLoad:  // the pedal plays the file's sound (its name is not part of it)
            EXPECT_TRUE(pedal.waitForCommand(131, 2s));
            for (int m = 0; m < kModuleCount; ++m)
                EXPECT_EQ(moduleValuesFromRecord(pedal.liveRecord(), Module(m)), moduleValuesFromRecord(factory[4], Module(m)));
            break;
        case Transfer::PresetWrite: {
            // The files before the failing one are in their slots, those after it are not.
            int imported = 0;
            while (imported < kBatchFiles && pedal.record(kBatchSlot + imported) == batchRecord(imported)) ++imported;
            for (int i = imported; i < kBatchFiles; ++i) EXPECT_EQ(pedal.record(kBatchSlot + i), factory[kBatchSlot + i]);
            EXPECT_TRUE(!done || imported == kBatchFiles);
            break;
        }
        case Transfer::IrUpload: {
            // A failed upload leaves the old name, over the parts that did arrive.
            const pedal::IrSlot before = pedal::factoryMemory().irSlots[kIrUserSlot - 1], after = pedal.irSlot(kIrUserSlot - 1);
            EXPECT_EQ(after.name == before.name, !done);
            EXPECT_EQ(after.data != before.data, done || row.fault != Fault::UnplugEarly);
            break;
        }
        case Transfer::AmpUpload: EXPECT_EQ(pedal.ampSlot(kAmpUserSlot - 1).present, done); break;
        case Transfer::Restore:  // the pedal holds what a clean restore leaves
            for (int i = 0; i < kBackupPresetCount && done; ++i) EXPECT_EQ(pedal.record(i), in.presets[i]) << i;
            for (int i = 0; i < pedal::kUserSlots && done; ++i) {
                EXPECT_EQ(pedal.irSlot(i).data, pedal::factoryMemory().irSlots[i].data) << i;
                EXPECT_EQ(pedal.ampSlot(i).data, pedal::factoryMemory().ampSlots[i].data) << i;
            }
            break;
        default: break;
        }
    }
    EXPECT_EQ(run.code, row.exitCode);
    if (row.byMeaning) {
        const QRegularExpression pattern(QRegularExpression::anchoredPattern(QString::fromStdString(row.err)));
        EXPECT_TRUE(pattern.match(QString::fromStdString(run.err)).hasMatch()) << run.err;
    } else {
        EXPECT_EQ(run.err, row.err);
    }
}

const std::string kGone = "Disconnect! Please try again after connecting.\n";
std::string uploadEnd(const char* what, const char* part, bool unplugged) {
    return std::string("The pedal did not take ") + what + ", part " + part + (unplugged ? ": it was disconnected." : " in time.") +
           " Load it again: until then the slot may hold part of it.\n";
}
const std::string kAgain = " The pedal now holds a partial restore: run the restore again.\n";
const std::string kUpdateFail = "Update fail: please try again. (Time out:Check reply time out(";
const std::string kUpdateGone =
    "The QUORVEX III was disconnected during the update. Connect it again in its boot loader, then run the update "
    "once more.\n";
// Some presets, named by their labels (at most twelve, then how many more).
const std::string kMissing = R"(\d+ of 300 presets did not arrive from the pedal: \d{3}[ABC](, \d{3}[ABC]){0,11}( and \d+ more)?\.)"
                             "\nTheir names in the list are missing or out of date\\. Unplug the pedal, plug it in again and "
                             "start again to read them\\.\n";
// The boot loader's reply that did not come, whichever packet was lost.
const std::string kUpdateTimedOut = R"(Update fail: please try again\. \(Time out:Check reply time out\(\d+=\d+:\d+\)\)\n)";
std::string importEnd(const char* how, int file) {
    return std::string("The pedal ") + how + " while importing P" + std::to_string(kBatchSlot + file) + "-MOVED " +
           std::to_string(file - 1) + ".kiro (file " + std::to_string(file) + " of 4); the files before it were imported.\n";
}
std::string backupEnd(const char* how, const char* at) {
    return std::string("The pedal ") + how + " during the backup, at " + at + ". No file was written.\n";
}

const Row kRows[] = {
    {Transfer::Loading, Fault::None, 0, ""},
    {Transfer::Loading, Fault::Drop, 7, kMissing, true},
    {Transfer::Loading, Fault::Corrupt, 7, kMissing, true},
    {Transfer::Loading, Fault::UnplugEarly, 6, kGone},
    {Transfer::Loading, Fault::UnplugMidway, 6, kGone},
    {Transfer::Loading, Fault::UnplugEnd, 6, kGone},

    {Transfer::CurrentLoad, Fault::NoAcks, 0, ""},

    {Transfer::PresetWrite, Fault::Drop, 0, ""},
    {Transfer::PresetWrite, Fault::Corrupt, 0, ""},
    {Transfer::PresetWrite, Fault::UnplugEarly, 6, importEnd("was disconnected", 1)},
    {Transfer::PresetWrite, Fault::UnplugMidway, 6, importEnd("was disconnected", 2)},
    {Transfer::PresetWrite, Fault::UnplugEnd, 6, importEnd("was disconnected", 4)},
    {Transfer::PresetWrite, Fault::NoAcks, 9, importEnd("stopped answering", 1)},

    {Transfer::IrUpload, Fault::Drop, 0, ""},
    {Transfer::IrUpload, Fault::Corrupt, 0, ""},
    {Transfer::IrUpload, Fault::UnplugEarly, 6, uploadEnd("Impulse response", "1 of 4", true)},
    {Transfer::IrUpload, Fault::UnplugMidway, 6, uploadEnd("Impulse response", "2 of 4", true)},
    {Transfer::IrUpload, Fault::UnplugEnd, 6, uploadEnd("Impulse response", "4 of 4", true)},
    {Transfer::IrUpload, Fault::NoAcks, 9, uploadEnd("Impulse response", "1 of 4", false)},

    {Transfer::AmpUpload, Fault::Drop, 0, ""},
    {Transfer::AmpUpload, Fault::Corrupt, 0, ""},
    {Transfer::AmpUpload, Fault::UnplugEarly, 6, uploadEnd("Amp model", "1 of 5", true)},
    {Transfer::AmpUpload, Fault::UnplugMidway, 6, uploadEnd("Amp model", "3 of 5", true)},
    {Transfer::AmpUpload, Fault::UnplugEnd, 6, uploadEnd("Amp model", "5 of 5", true)},
    {Transfer::AmpUpload, Fault::NoAcks, 9, uploadEnd("Amp model", "1 of 5", false)},

    {Transfer::Backup, Fault::None, 0, ""},
    {Transfer::Backup, Fault::Drop, 0, ""},
    {Transfer::Backup, Fault::Corrupt, 0, ""},
    {Transfer::Backup, Fault::UnplugEarly, 6, backupEnd("was disconnected", "user amp 1, block 1 (step 1 of 91)")},
    {Transfer::Backup, Fault::UnplugMidway, 6, backupEnd("was disconnected", "user amp 10, block 1 (step 46 of 91)")},
    {Transfer::Backup, Fault::UnplugEnd, 6, backupEnd("was disconnected", "system settings (step 91 of 91)")},
    {Transfer::Backup, Fault::NoAcks, 9, backupEnd("stopped answering", "user amp 1, block 1 (step 1 of 91)")},

    {Transfer::Restore, Fault::None, 0, ""},
    {Transfer::Restore, Fault::Drop, 0, ""},
    {Transfer::Restore, Fault::Corrupt, 0, ""},
    {Transfer::Restore, Fault::UnplugEarly, 6,
     "The pedal was disconnected during the restore, at user amp 1, block 1 (step 1 of 223)." + kAgain},
    {Transfer::Restore, Fault::UnplugMidway, 6,
     "The pedal was disconnected during the restore, at preset 030B (step 112 of 223)." + kAgain},
    {Transfer::Restore, Fault::UnplugEnd, 6,
     "The pedal was disconnected during the restore, at preset 067B (step 223 of 223)." + kAgain},
    {Transfer::Restore, Fault::NoAcks, 9,
     "The pedal did not confirm user amp 1, block 1 (step 1 of 223) of the restore." + kAgain},

    {Transfer::Firmware, Fault::None, 0, "Firmware written; the QUORVEX III starts its new firmware.\n"},
    {Transfer::Firmware, Fault::Drop, 11, kUpdateTimedOut, true},
    {Transfer::Firmware, Fault::Corrupt, 11, kUpdateTimedOut, true},
    {Transfer::Firmware, Fault::UnplugEarly, 6, kUpdateFail + "0=5:3))\n" + kUpdateGone},
    {Transfer::Firmware, Fault::UnplugMidway, 6, kUpdateFail + "0=5:5))\n" + kUpdateGone},
    {Transfer::Firmware, Fault::UnplugEnd, 6, kUpdateFail + "1=5:5))\n" + kUpdateGone},
    {Transfer::Firmware, Fault::NoAcks, 11, kUpdateFail + "0=5:5))\n"},
};

INSTANTIATE_TEST_SUITE_P(Rows, CliFaultMatrix, ::testing::ValuesIn(kRows), [](const auto& testCase) {
    return std::string(kTransferNames[static_cast<int>(testCase.param.transfer)]) + "_" +
           kFaultNames[static_cast<int>(testCase.param.fault)];
});

}  // namespace
}  // namespace quorvex::testing
