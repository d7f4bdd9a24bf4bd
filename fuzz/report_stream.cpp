// The pedal's report stream: the input is cut into 64-byte HID reports and fed to the
// editor's HID side (identity check, receive ring), then the frame parser and the
// dispatcher store what they find in the parameter blocks and the preset store, as the
// link's HID and loader threads do, here on one thread.
#include "dispatcher.h"
#include "frame_parser.h"
#include "hid_class.h"

#include <cstdint>
#include <memory>
#include <mutex>

namespace {
using namespace quorvex;

const DeviceInfo kPedal{"fuzz-pedal", 0x0483, 0x1513, 0x00C8, "QUORVEX III"};

// A pedal that is always there and takes every report sent to it.
class PresentPedal : public HidBackend {
public:
    void run(const DeviceMatch&, HidBackendListener&) override {}
    void stop() override {}
    std::vector<DeviceInfo> copyDevices() override { return {kPedal}; }
    OpenResult open(const std::string&) override { return OpenResult::Ok; }
    void close(const std::string&) override {}
    bool writeReport(const std::string&, const Report&) override { return true; }
};

// Takes every event; what the hub would do with them is not this target's concern.
class DiscardEvents : public LinkEvents {
public:
    void postEvent(EventCode, std::vector<std::uint32_t>) override {}
    void postSetIsChangeGuiData(bool) override {}
    void postLoadProgress(float) override {}
    void postPresetList(std::vector<std::string>, std::vector<int>) override {}
    void exitApp(std::string) override {}
    void postFirmwareTooOld() override {}
};

// The link's state, made once: the preset store alone is 160 KB, and a fresh one per
// input would cost more than the input itself. Every input starts from it cleared.
struct Link {
    DiscardEvents events;
    ParameterBlocks blocks;
    PresetStore presets;
    std::mutex linkLock;
    RxRing ring;
    Dispatcher dispatcher{blocks, presets, linkLock, events, nullptr};
    FrameParser parser{ring, [this](const std::uint8_t* frame, std::size_t size) { dispatcher.dispatch_frame(frame, size); }};

    void clear() {
        blocks = {};
        presets = {};
        ring.reset();
        parser.reset();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto* link = new Link;
    link->clear();
    // The HID side is new for every input: the identity check looks at its first report.
    HIDClass hid(std::make_unique<PresentPedal>(), DeviceMatch{}, link->ring, link->events);
    hid.deviceMatched(kPedal);
    // A last piece shorter than a report arrives as such and must be refused.
    for (std::size_t offset = 0; offset < size; offset += kReportSize) {
        const std::size_t length = size - offset < kReportSize ? size - offset : kReportSize;
        hid.inputReport(kPedal.path, data + offset, length);
        link->parser.run();
    }
    return 0;
}
