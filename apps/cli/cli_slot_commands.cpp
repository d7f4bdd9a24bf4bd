#include "cli_slot_commands.h"

#include "amp_file.h"
#include "commands.h"
#include "device_thread.h"
#include "ir_samples.h"
#include "slot_uploads.h"
#include "yj_ir_file.h"

#include <QFileInfo>

#include <ostream>

namespace quorvex::cli {
namespace {

using namespace std::chrono_literals;

// Opens and converts an impulse response, or tells why it cannot be loaded.
std::optional<YJIRFile> readIr(const std::string& path, std::ostream& err) {
    YJIRFile file;
    IrFileError error;
    if (!file.OpenFilePath(QString::fromStdString(path), &error)) {
        err << path << ": cannot be loaded: " << text(error.reason) << ".\n" << text(error.description.trimmed()) << "\n";
        return std::nullopt;
    }
    if (!file.GetIRDataBuffer(4)) {
        err << path << ": cannot be loaded: " << text(file.refusal()) << ".\n";
        return std::nullopt;
    }
    return file;
}

std::optional<AMPFile> readAmp(const std::string& path, std::ostream& err) {
    AMPFile file;
    if (!file.OpenAMPFile(QString::fromStdString(path))) {
        err << path << ": cannot be loaded: " << text(file.refusal()) << ".\n";
        return std::nullopt;
    }
    return file;
}

// Runs an upload and tells how it ended.
int upload(std::unique_ptr<LinkTransfer> transfer, void (*abandon)(DeviceThread&), DeviceThread& link, const char* label,
           const std::string& done, std::ostream& out, std::ostream& err, bool progressBar) {
    const LinkTransfer::End end = runTransfer(*transfer, err, progressBar, label);
    if (end != LinkTransfer::End::Done) {
        abandon(link);
        // The parts before the failing one went into the slot already.
        err << "The pedal did not take " << text(transfer->step(transfer->currentStep()).what)
            << (end == LinkTransfer::End::Unplugged ? ": it was disconnected." : " in time.")
            << " " << kPartialUploadAdvice << "\n";
        return exitCodeOf(end);
    }
    out << done << "\n";
    return kOk;
}

std::string slotText(const char* kind, int userSlot) { return std::string(kind) + " slot " + std::to_string(userSlot); }

const char* formatName(const WaveFormat& f) {
    const std::uint16_t code = f.formatCode == 0xFFFE ? f.subFormat : f.formatCode;
    if (code == 3) return "float";
    return code == 1 ? "integer PCM" : "unknown sample format";
}

}  // namespace

std::variant<PedalWork, int> prepareSlotCommand(const CliOptions& options, std::ostream& refusal) {
    const auto slot = static_cast<std::uint8_t>(options.userSlot - 1);
    const int userSlot = options.userSlot;
    switch (options.command) {
    case Command::IrImport: {
        const auto file = readIr(options.files.front(), refusal);
        if (!file) return kBadInputFile;
        const IrUploadData data = irUploadData(*file);
        const std::string done = slotText("IR", userSlot) + ": " + text(file->storedName());
        return PedalWork([slot, data, done](DeviceThread& link, std::ostream& out, std::ostream& err, bool bar) {
            return upload(makeIrUpload(link, slot, data, kSlotUploadLimit, 2ms), abandonIrUpload, link,
                          "Loading the impulse response", done, out, err, bar);
        });
    }
    case Command::AmpImport: {
        const auto file = readAmp(options.files.front(), refusal);
        if (!file) return kBadInputFile;
        const AmpUploadData data = ampUploadData(*file);
        const std::string done =
            slotText("Amp", userSlot) + ": " + text(QFileInfo(QString::fromStdString(options.files.front())).completeBaseName());
        return PedalWork([slot, data, done](DeviceThread& link, std::ostream& out, std::ostream& err, bool bar) {
            return upload(makeAmpUpload(link, slot, data, kSlotUploadLimit, 2ms), abandonAmpUpload, link,
                          "Loading the amp model", done, out, err, bar);
        });
    }
    case Command::IrDelete:
        return PedalWork([slot, userSlot](DeviceThread& link, std::ostream& out, std::ostream& err, bool) {
            std::vector<LinkStep> steps;
            steps.push_back(sentStep([&link, slot] {
                link.withLinkLock([slot](ParameterBlocks& blocks, CommandEncoder& encoder) {
                    blocks.IrDeleteSlot = slot;
                    encoder.raise(cmd::IrDelete);
                });
            }, cmd::IrDelete, QString::fromStdString(slotText("IR", userSlot))));
            LinkTransfer transfer(link, std::move(steps), nullptr, 2ms);
            const LinkTransfer::End end = runTransfer(transfer, err, false, "");
            if (end != LinkTransfer::End::Done) {
                err << "The pedal was not reached; " << slotText("IR", userSlot) << " keeps what it held.\n";
                return exitCodeOf(end);
            }
            out << slotText("IR", userSlot) << " emptied\n";
            return int(kOk);
        });
    default: return kUsage;
    }
}

int runIrConvert(const std::string& path, std::ostream& out, std::ostream& err) {
    const auto file = readIr(path, err);
    if (!file) return kBadInputFile;
    for (const std::uint32_t sample : file->uploadSamples()) out << sampleValue(sample) << "\n";
    return kOk;
}

std::optional<int> inspectSlotFile(const std::string& path, const QByteArray& bytes, std::ostream& out, std::ostream& err) {
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (suffix == QStringLiteral("amp")) {
        const auto file = readAmp(path, err);
        if (!file) return kBadInputFile;
        out << path << ": amp model, 512 words, check word " << file->checkWord() << ", model name \""
            << text(QFileInfo(QString::fromStdString(path)).completeBaseName().left(20)) << "\"\n";
        return kOk;
    }
    if (suffix != QStringLiteral("wav") && !bytes.startsWith("RIFF") && !bytes.startsWith("TavroIR")) return std::nullopt;
    const auto file = readIr(path, err);
    if (!file) return kBadInputFile;
    if (file->isInteralIR()) {
        out << path << ": QUORVEX IR file, 2048 samples of 24 bits\n";
        return kOk;
    }
    const WaveFormat& f = file->format();
    out << path << ": WAV, " << formatName(f) << (f.formatCode == 0xFFFE ? " (extensible)" : "") << ", " << f.sampleRate
        << " Hz, " << f.channels << (f.channels == 1 ? " channel, " : " channels, ") << f.bitsPerSample << " bits, "
        << f.frames << " frames\n";
    return kOk;
}

}  // namespace quorvex::cli
