#include "link_transfer.h"

#include "commands.h"

#include <optional>

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
    tries_ = 0;
    startTry();
    steps_[static_cast<std::size_t>(current_)].send();
}

void LinkTransfer::startTry() {
    const LinkStep& s = steps_[static_cast<std::size_t>(current_)];
    const auto tryLimit = s.resend ? s.limit / kTries : s.limit;
    deadline_ = std::min(std::chrono::steady_clock::now() + tryLimit, totalDeadline_);
    ++tries_;
}

void LinkTransfer::poll() {
    if (!running_) return;
    // An answer that came before the pedal went away still counts: an upload's next chunk
    // leaves as soon as the answer to the one before arrives, before this poll sees it.
    const bool connected = link_.hidClass().isConnected();
    const LinkStep& s = steps_[static_cast<std::size_t>(current_)];
    const bool late = std::chrono::steady_clock::now() >= deadline_;
    const bool again = connected && late && s.resend && tries_ < kTries && deadline_ < totalDeadline_;
    // Looked at and sent again under one lock: an answer that has just come is not thrown away.
    const bool answered = link_.withLinkLock([&s, again](ParameterBlocks& blocks, CommandEncoder& encoder) {
        if (s.answered(blocks, encoder)) return true;
        if (again) s.resend(blocks, encoder);
        return false;
    });
    if (!answered) {
        if (!connected) {
            finish(End::Unplugged);
        } else if (again) {
            startTry();
        } else if (late) {
            finish(End::NoAnswer);
        }
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

// The exchange's request, with its data for a write; the dispatcher takes only the
// answer that names this block.
std::function<void(ParameterBlocks&, CommandEncoder&)> backupExchange(std::uint8_t command, std::uint8_t kind,
                                                                       std::uint8_t item, std::uint8_t block,
                                                                       std::optional<std::array<std::uint8_t, 512>> data) {
    return [=](ParameterBlocks& blocks, CommandEncoder& encoder) {
        auto& x = blocks.BackupXfer;
        x.kind = kind;
        x.number = item;
        x.part = block;
        if (data) x.data = *data;
        x.done = false;
        encoder.raise(command);
    };
}

bool answerFor(const BackupXferState& x, std::uint8_t kind, std::uint8_t item) {
    return x.done && x.kind == kind && x.number == item;
}

}  // namespace

LinkStep backupReadStep(DeviceThread& link, std::uint8_t kind, std::uint8_t item, std::uint8_t block,
                        std::function<void(std::uint8_t, const std::uint8_t*)> take, QString what) {
    LinkStep step;
    step.resend = backupExchange(cmd::BackupRead, kind, item, block, std::nullopt);
    step.send = [&link, request = step.resend] { link.withLinkLock(request); };
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
    step.resend = backupExchange(cmd::BackupWrite, kind, item, block, data);
    step.send = [&link, request = step.resend] { link.withLinkLock(request); };
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
    // The record and its slot are still in the link's write buffer.
    step.resend = [](ParameterBlocks& blocks, CommandEncoder& encoder) {
        if (blocks.WritePresetIndex >= 0) encoder.raise(cmd::RecordWrite);
    };
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
