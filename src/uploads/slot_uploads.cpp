#include "slot_uploads.h"

#include "amp_file.h"
#include "yj_ir_file.h"

#include <algorithm>

namespace quorvex {
namespace {

// One step per chunk. The first fills the transfer state and starts it; the
// acknowledgement of each chunk queues the next (the dispatcher does that), so the
// later steps only wait for the chunk number to move on. A chunk whose acknowledgement
// does not come is queued again.
template <typename Upload>
std::unique_ptr<LinkTransfer> chunkTransfer(DeviceThread& link, int chunks, std::function<void(ParameterBlocks&)> begin,
                                            std::function<bool(const ParameterBlocks&, int chunk)> acknowledged,
                                            Upload ParameterBlocks::*upload,
                                            const QString& what, std::chrono::milliseconds limit,
                                            std::chrono::milliseconds pollInterval, QObject* parent) {
    std::vector<LinkStep> steps;
    for (int chunk = 1; chunk <= chunks; ++chunk) {
        LinkStep step;
        if (chunk == 1) {
            step.send = [&link, begin] { link.withLinkLock([&begin](ParameterBlocks& blocks, CommandEncoder&) { begin(blocks); }); };
        } else {
            step.send = [] {};
        }
        step.answered = [acknowledged, chunk](ParameterBlocks& blocks, const CommandEncoder&) { return acknowledged(blocks, chunk); };
        step.resend = [upload, chunk](ParameterBlocks& blocks, CommandEncoder&) {
            auto& up = blocks.*upload;
            if (up.active && up.chunk == chunk) up.pending = true;
        };
        step.limit = limit;
        step.what = QStringLiteral("%1, part %2 of %3").arg(what).arg(chunk).arg(chunks);
        steps.push_back(std::move(step));
    }
    auto transfer = std::make_unique<LinkTransfer>(link, std::move(steps), parent, pollInterval);
    transfer->setTotalLimit(limit);
    return transfer;
}

}  // namespace

IrUploadData irUploadData(const YJIRFile& file) {
    IrUploadData data;
    data.samples = file.uploadSamples();
    std::copy_n(file.CharFileNane().begin(), data.name.size(), data.name.begin());
    return data;
}

AmpUploadData ampUploadData(const AMPFile& file) {
    AmpUploadData data;
    data.words = file.modelData();
    std::copy_n(file.modelName().begin(), data.name.size(), data.name.begin());
    return data;
}

std::unique_ptr<LinkTransfer> makeIrUpload(DeviceThread& link, std::uint8_t slot, const IrUploadData& data,
                                           std::chrono::milliseconds limit, std::chrono::milliseconds pollInterval,
                                           QObject* parent) {
    auto begin = [slot, data](ParameterBlocks& blocks) {
        auto& up = blocks.IrUpload;
        up.slot = slot;
        up.samples = data.samples;
        up.name = data.name;
        up.done = false;
        up.chunk = 1;
        up.pending = true;
        up.active = true;
    };
    auto acknowledged = [](const ParameterBlocks& blocks, int chunk) {
        return blocks.IrUpload.done || blocks.IrUpload.chunk > chunk;
    };
    return chunkTransfer(link, 4, begin, acknowledged, &ParameterBlocks::IrUpload, QStringLiteral("Impulse response"), limit,
                         pollInterval, parent);
}

std::unique_ptr<LinkTransfer> makeAmpUpload(DeviceThread& link, std::uint8_t slot, const AmpUploadData& data,
                                            std::chrono::milliseconds limit, std::chrono::milliseconds pollInterval,
                                            QObject* parent) {
    auto begin = [slot, data](ParameterBlocks& blocks) {
        auto& up = blocks.AmpUpload;
        up.slot = slot;
        up.words = data.words;
        up.name = data.name;
        up.chunk = 1;
        up.pending = true;
        up.active = true;
    };
    auto acknowledged = [](const ParameterBlocks& blocks, int chunk) {
        return !blocks.AmpUpload.active || blocks.AmpUpload.chunk > chunk;
    };
    return chunkTransfer(link, 5, begin, acknowledged, &ParameterBlocks::AmpUpload, QStringLiteral("Amp model"), limit,
                         pollInterval, parent);
}

void abandonIrUpload(DeviceThread& link) {
    link.withLinkLock([](ParameterBlocks& blocks, CommandEncoder&) {
        blocks.IrUpload.active = false;
        blocks.IrUpload.pending = false;
        blocks.IrUpload.chunk = 1;
    });
}

void abandonAmpUpload(DeviceThread& link) {
    link.withLinkLock([](ParameterBlocks& blocks, CommandEncoder&) {
        blocks.AmpUpload.active = false;
        blocks.AmpUpload.pending = false;
        blocks.AmpUpload.chunk = 1;
    });
}

}  // namespace quorvex
