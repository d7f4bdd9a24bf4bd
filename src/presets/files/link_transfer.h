#pragma once
#include "device_thread.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <vector>

namespace quorvex {

// One exchange of a transfer: something goes to the pedal, then its answer is awaited.
struct LinkStep {
    // Puts the request on the link (it takes the link lock itself where it needs it).
    std::function<void()> send;
    // Called under the link lock while waiting: true once the answer is there (and
    // taken); false while it is still awaited.
    std::function<bool(ParameterBlocks&, const CommandEncoder&)> answered;
    // Called under the link lock to send the request again when a try went unanswered
    // (its answer or the request itself was lost). None: the request is sent once.
    std::function<void(ParameterBlocks&, CommandEncoder&)> resend;
    // How long the pedal has to answer, all tries together.
    std::chrono::milliseconds limit{2000};
    // What the step moves, for progress and for the message when it goes unanswered.
    QString what;
};

// Runs steps one after the other on the event loop: each is sent once the one before
// was answered, and its answer is polled through the link lock on a timer, so the
// window goes on turning while the pedal works. A step that can be sent again has
// kTries tries, each a third of its time limit. A step that outlives its time limit,
// an unplugged pedal or a cancel ends the run.
class LinkTransfer : public QObject {
    Q_OBJECT
public:
    enum class End { Done, NoAnswer, Unplugged, Cancelled };

    LinkTransfer(DeviceThread& link, std::vector<LinkStep> steps, QObject* parent = nullptr,
                 std::chrono::milliseconds pollInterval = std::chrono::milliseconds(10));

    void start();
    void cancel();
    // Bounds the whole run as well as each step (an upload the pedal must finish in time).
    void setTotalLimit(std::chrono::milliseconds limit) { totalLimit_ = limit; }
    bool running() const { return running_; }
    int stepCount() const { return static_cast<int>(steps_.size()); }
    // The step being sent or awaited (the unanswered one after NoAnswer).
    int currentStep() const { return current_; }
    const LinkStep& step(int index) const { return steps_[static_cast<std::size_t>(index)]; }

signals:
    // Step `index` was answered.
    void stepAnswered(int index);
    void finished(quorvex::LinkTransfer::End end);

private:
    void sendCurrent();
    void startTry();
    void poll();
    void finish(End end);

    DeviceThread& link_;
    std::vector<LinkStep> steps_;
    QTimer timer_;
    std::chrono::steady_clock::time_point deadline_;  // of the current try
    int tries_ = 0;                                   // of the current step
    std::chrono::milliseconds totalLimit_ = std::chrono::milliseconds::max();
    std::chrono::steady_clock::time_point totalDeadline_;
    int current_ = 0;
    bool running_ = false;
};

// The three kinds of step.
// Asks for one backup block (command 170); the answer goes to take(answeredBlock, data).
LinkStep backupReadStep(DeviceThread& link, std::uint8_t kind, std::uint8_t item, std::uint8_t block,
                        std::function<void(std::uint8_t, const std::uint8_t*)> take, QString what);
// Writes one backup block (command 171) and waits for its acknowledgement.
LinkStep backupWriteStep(DeviceThread& link, std::uint8_t kind, std::uint8_t item, std::uint8_t block,
                         const std::array<std::uint8_t, 512>& data, QString what);
// Sends with send() a record write (command 229) and waits for the pedal to confirm it.
LinkStep presetWriteStep(std::function<void()> send, QString what);
// Sends with send() a command the pedal does not answer and waits until it went out.
LinkStep sentStep(std::function<void()> send, std::uint8_t command, QString what);

// How often a request that names what it reads or writes is sent before its step fails.
inline constexpr int kTries = 3;

// Time limits of the three exchanges.
inline constexpr std::chrono::milliseconds kBlockRequestLimit{2000};
inline constexpr std::chrono::milliseconds kBlockWriteLimit{3000};
inline constexpr std::chrono::milliseconds kPresetWriteLimit{5000};

}  // namespace quorvex
