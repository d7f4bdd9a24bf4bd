#pragma once
#include "parameter_blocks.h"
#include "pedal_memory.h"
#include "preset_record.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvex::pedal {

// Behaviour switches, most of them faults a test or a developer may want to provoke.
struct PedalOptions {
    std::string socketName = "quorvex-iii";   // file name of the socket in the bus folder
    std::string firmware = "1.0.0";           // version text in the identity report
    std::string product = "KIRO_QUORVEXIII";  // product text in the identity report
    std::uint16_t vendor = 0x0483;
    std::uint16_t productId = 0x1513;
    std::uint16_t release = 0x00C8;
    double dropRate = 0.0;        // share of outgoing reports silently lost (0..1)
    double corruptRate = 0.0;     // share of outgoing frames sent with a wrong check value
    std::uint32_t seed = 1;       // for the random faults
    bool noAcks = false;          // never acknowledge 225, 226, 229, 170, 171, nor confirm 168
    bool echoSaves = true;        // send the stored record (169) before confirming a save
    int unplugAfterFrames = -1;   // unplug after sending this many frames since start() (-1: never)
    // Unplug on receiving the Nth frame with this command, before it is handled (-1: never),
    // so that a fault can be placed at the start, the middle or the end of any transfer.
    int unplugOnCommand = -1;
    int unplugOnOccurrence = 1;
    // The drops and damage strike only once a frame with this command has arrived (-1:
    // from the start), so that a transfer meets them after a clean start-up.
    int faultsFromCommand = -1;
    // Per command, the frames whose answers are lost, counted from 1 like
    // unplugOnOccurrence: each once, as a request sent again is a later frame.
    std::map<std::uint8_t, std::vector<int>> loseAnswersTo;
    bool paced = true;            // at most one report per millisecond each way
    // Keep every received frame for receivedFrames() and waitForCommand(); a long run
    // that only counts them turns this off, so that the log does not grow without end.
    bool keepFrameLog = true;
};

// One frame the pedal received from the host.
struct ReceivedFrame {
    std::uint8_t command = 0;
    std::vector<std::uint8_t> payload;
};

// A substitute QUORVEX III on the virtual bus: it listens in the bus folder, answers
// the start frame with its identity report, sends its state and 300 presets after
// command 224, keeps what it is sent and acknowledges the transfers.
class VirtualPedal {
public:
    VirtualPedal(std::string busDir, PedalOptions options = {});
    ~VirtualPedal();
    VirtualPedal(const VirtualPedal&) = delete;
    VirtualPedal& operator=(const VirtualPedal&) = delete;

    // Creates the socket and starts serving on a thread of its own. False on failure.
    // After stop() or an unplug it plugs the pedal in again with everything it remembers.
    bool start();
    // Stops serving and removes the socket (an unplug as the host sees it).
    void stop();
    // Unplugs now: the host sees the device disappear.
    void unplug();
    bool pluggedIn() const;

    // The pedal's own controls: a knob turned (the module's block goes to the host),
    // a preset picked with the footswitches (the new current preset goes to the host).
    void turnKnob(Module module, int element, std::uint32_t value);
    void selectPreset(int slot);
    // The chain rearranged on the pedal (18 values as command 160 carries them), and
    // the pedal's display turned to a module (command 130 with module + 1).
    void moveChain(const std::array<std::uint32_t, 18>& chain);
    void showModule(Module module);
    // The pedal's display opened a settings page or left it (130 with 0, b, c), and a
    // global setting changed in the pedal's menu (see PedalCore::changeSetting).
    void showSettingsPage(std::uint8_t b, std::uint8_t c = 0);
    void changeSetting(std::uint8_t command, const std::vector<std::uint8_t>& payload);

    // Inspection, thread-safe copies.
    PresetRecord record(int slot) const;
    ModuleBlock block(Module module) const;
    std::array<std::uint32_t, 18> chain() const;
    int currentPreset() const;
    std::vector<ReceivedFrame> receivedFrames() const;
    std::size_t reportsReceived() const;  // including the empty greeting report
    std::size_t framesSent() const;
    std::size_t framesReceived() const;   // counted with or without the frame log
    // Waits until a frame with this command has been received (counting from the start).
    bool waitForCommand(std::uint8_t command, std::chrono::milliseconds timeout,
                        std::size_t occurrence = 1) const;

    // More inspection, thread-safe copies.
    GlobalSettings settings() const;    // system, global EQ, footswitch mode, merge, focus
    LiveSound liveSound() const;        // modules, chain, volume, EXP, CTRL as they play
    PresetRecord liveRecord() const;    // the live sound written into the record it came from
    IrSlot irSlot(int slot) const;      // user IR slot 0..9
    AmpSlot ampSlot(int slot) const;    // user amp slot 0..9
    std::size_t reportsSent() const;    // reports handed to the bus
    std::size_t reportsDropped() const; // reports lost on purpose (dropRate)
    std::size_t sessions() const;       // host connections accepted so far
    std::string socketPath() const;     // busDir/socketName

    // The factory content the pedal starts with (deterministic), exposed for tests.
    static std::vector<PresetRecord> factoryPresets();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace quorvex::pedal
