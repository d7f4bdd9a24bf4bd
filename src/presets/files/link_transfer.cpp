#include "link_transfer.h"

#include "commands.h"

namespace quorvex {

LinkTransfer::LinkTransfer(DeviceThread& link, std::vector<LinkStep> steps, QObject* parent,
                           std::chrono::milliseconds pollInterval)
    : QObject(parent), link_(link), steps_(std::move(steps)) {
    timer_.setInterval(pollInterval);
    connect(&timer_, &QTimer::timeout, this, &LinkTransfer::poll);
}

void LinkTransfer::start() {
    running_ = true;
    current_ = 0;
    totalDeadline_ = totalLimit_ == std::chrono::milliseconds::max() ? std::chrono::steady_clock::time_point::max()
                                                                     : std::chrono::steady_clock::now() + totalLimit_;
    if (steps_.empty()) {
        // Still on the event loop, so that a caller connects before the end arrives.
        QTimer::singleShot(0, this, [this] { finish(End::Done); });
        return;
    }
    sendCurrent();
    timer_.start();
}

void LinkTransfer::cancel() {
    if (running_) finish(End::Cancelled);
}

void LinkTransfer::sendCurrent() {
    const LinkStep& s = steps_[static_cast<std::size_t>(current_)];
    deadline_ = std::min(std::chrono::steady_clock::now() + s.limit, totalDeadline_);
    s.send();
}

void LinkTransfer::poll() {
    if (!running_) return;
    if (!link_.hidClass().isConnected()) return finish(End::Unplugged);
    const LinkStep& s = steps_[static_cast<std::size_t>(current_)];
    const bool answered = link_.withLinkLock([&s](ParameterBlocks& blocks, CommandEncoder& encoder) { return s.answered(blocks, encoder); });
    if (!answered) {
        if (std::chrono::steady_clock::now() >= deadline_) finish(End::NoAnswer);
        return;
    }
    const int done = current_;
    if (++current_ < stepCount()) sendCurrent();
    emit stepAnswered(done);
    if (running_ && current_ == stepCount()) finish(End::Done);
}

void LinkTransfer::finish(End end) {
    running_ = false;
    timer_.stop();
    emit finished(end);
}

namespace {

void raiseBackupExchange(DeviceThread& link, std::uint8_t command, std::uint8_t kind, std::uint8_t item,
                         std::uint8_t block, const std::array<std::uint8_t, 512>* data) {
    link.withLinkLock([&](ParameterBlocks& blocks, CommandEncoder& encoder) {
        auto& x = blocks.BackupXfer;
        x.kind = kind;
        x.number = item;
        x.part = block;
        if (data) x.data = *data;
        x.done = false;
        encoder.raise(command);
    });
}

// The answer names the item it belongs to; an answer to an earlier, timed-out request
// is not taken for this one.
bool answerFor(const BackupXferState& x, std::uint8_t kind, std::uint8_t item) {
    return x.done && x.kind == kind && x.number == item;
}

}  // namespace

LinkStep backupReadStep(DeviceThread& link, std::uint8_t kind, std::uint8_t item, std::uint8_t block,
                        std::function<void(std::uint8_t, const std::uint8_t*)> take, QString what) {
    LinkStep step;
    step.send = [&link, kind, item, block] { raiseBackupExchange(link, cmd::BackupRead, kind, item, block, nullptr); };
    step.answered = [kind, item, take = std::move(take)](ParameterBlocks& blocks, const CommandEncoder&) {
        auto& x = blocks.BackupXfer;
        if (!answerFor(x, kind, item)) return false;
        take(static_cast<std::uint8_t>(x.part), x.data.data());
        x.done = false;
        return true;
    };
    step.limit = kBlockRequestLimit;
    step.what = std::move(what);
    return step;
}

LinkStep backupWriteStep(DeviceThread& link, std::uint8_t kind, std::uint8_t item, std::uint8_t block,
                         const std::array<std::uint8_t, 512>& data, QString what) {
    LinkStep step;
    step.send = [&link, kind, item, block, data] { raiseBackupExchange(link, cmd::BackupWrite, kind, item, block, &data); };
    step.answered = [kind, item, block](ParameterBlocks& blocks, const CommandEncoder&) {
        auto& x = blocks.BackupXfer;
        if (!answerFor(x, kind, item) || x.part != block) return false;
        x.done = false;
        return true;
    };
    step.limit = kBlockWriteLimit;
    step.what = std::move(what);
    return step;
}

LinkStep presetWriteStep(std::function<void()> send, QString what) {
    LinkStep step;
    step.send = std::move(send);
    step.answered = [](ParameterBlocks& blocks, const CommandEncoder&) { return blocks.WritePresetIndex < 0; };
    step.limit = kPresetWriteLimit;
    step.what = std::move(what);
    return step;
}

LinkStep sentStep(std::function<void()> send, std::uint8_t command, QString what) {
    LinkStep step;
    step.send = std::move(send);
    step.answered = [command](ParameterBlocks&, const CommandEncoder& encoder) { return !encoder.dirty(command); };
    step.limit = kBlockRequestLimit;
    step.what = std::move(what);
    return step;
}

}  // namespace quorvex
