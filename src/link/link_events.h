#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace quorvex {

// Event codes the dispatcher posts; each names the hub operation that receives it.
enum class EventCode : int {
    FxModeUpdateData = 1,
    DsModeUpdateData,
    AmpModeUpdateData,
    CabModeUpdateData,
    NsModeUpdateData,
    EqModeUpdateData,
    ModModeUpdateData,
    DelayModeUpdateData,
    ReverbModeUpdateData,
    PresetVolUpdateData,
    EfficChainUpdateData,
    SystemUpdateData,
    FSModeUpdateData,
    TabCtrlUpdateData,
    ExpModeUpdateData,
    UICMDUpdateData,
    PresetNowChangeUpdateData,
    MergeStatusUpdateData,
    NowPresetReceiveUpdateData,
    SAVEDATA_ReveiveDataUpdateData,
    IRNAME_ReveiveDataUpdateData,
    AMPNAME_ReveiveDataUpdateData,
    GLBI_EQ_ReveiveDataUpdateData,
};

inline constexpr const char* kDisconnectMessage = "Disconnect! Please try again after connecting.";
inline constexpr const char* kFirmwareTooOldMessage =
    "Firmware version too low. Please update the firmware on your device\n \n      1\u3001Press and hold far "
    "left footswitch whilst connecting power to QUORVEX III\n \n     2\u3001Connect QUORVEX III to a computer "
    "via USB";

// How the link reaches the program's main thread. Every call comes from a link thread
// and carries its own copies; an implementation queues the work and returns at once.
class LinkEvents {
public:
    virtual ~LinkEvents() = default;
    virtual void postEvent(EventCode code, std::vector<std::uint32_t> values) = 0;
    virtual void postSetIsChangeGuiData(bool changed) = 0;
    virtual void postLoadProgress(float progress) = 0;
    // Loading ended with the last slot: the 300 list entries, and the slots whose
    // records never arrived (their entries are empty or stale).
    virtual void postPresetList(std::vector<std::string> list, std::vector<int> missing) = 0;
    // A pedal is connected and about to be greeted; nothing asked before goes to it.
    virtual void postPedalConnected() {}
    // The pedal went away: end the program with this message.
    virtual void exitApp(std::string message) = 0;
    // The pedal's firmware is refused: show kFirmwareTooOldMessage and end.
    virtual void postFirmwareTooOld() = 0;
    // The text line of every frame sent or received, as written to the diary.
    virtual void traceFrame(const std::string& /*line*/) {}
};

}  // namespace quorvex
