#include "dispatcher.h"

#include "commands.h"
#include "diary.h"
#include "frame.h"
#include "link_log.h"

#include <algorithm>
#include <string>

namespace quorvex {
namespace {

std::uint32_t be16(const std::uint8_t* p) { return static_cast<std::uint32_t>(p[0] << 8 | p[1]); }

template <typename Block>
std::vector<std::uint32_t> firstValues(const Block& block, std::size_t n) {
    return std::vector<std::uint32_t>(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(n));
}

int moduleIndex(std::uint8_t command) {
    const auto* found = std::find(kModuleCommands.begin(), kModuleCommands.end(), command);
    return found == kModuleCommands.end() ? -1 : static_cast<int>(found - kModuleCommands.begin());
}

}  // namespace

Dispatcher::Dispatcher(ParameterBlocks& blocks, PresetStore& presets, std::mutex& linkLock, LinkEvents& events,
                       Diary* diary)
    : blocks_(blocks), presets_(presets), linkLock_(linkLock), events_(events), diary_(diary) {}

int Dispatcher::minimumPayload(std::uint8_t command, const std::uint8_t* payload, std::size_t length) {
    if (const int m = moduleIndex(command); m >= 0) {
        const int base = (m == 3 ? 6 : kModuleElements[static_cast<std::size_t>(m)]) * 2;
        if (command != cmd::Delay) return base;
        // The delay's tail depends on its model: model 8 adds one value, model 9 two.
        if (length < 12) return 12;
        const std::uint32_t model = be16(payload + 2);
        return model == 8 ? 14 : model == 9 ? 16 : 12;
    }
    switch (command) {
    case cmd::UiCmd: return 3;
    case cmd::IrNames: case cmd::AmpNames: return 150;
    case cmd::NowPreset: return 512;
    case cmd::FsMode: case cmd::PresetVol: case cmd::IrChunk: case cmd::AmpChunk: return 1;
    case cmd::GlobalEq: case cmd::System: return 10;
    case cmd::Chain: return 18;
    case cmd::Exp: return 7;
    case cmd::Ctrl: return 12;
    case cmd::PresetRecord: case cmd::PresetStored: return 514;
    case cmd::CurrentPreset: case cmd::MergeStatus: return 2;
    case cmd::Save: return 16;
    case cmd::BackupRead: case cmd::BackupWrite: return 3;
    case cmd::RecordWrite: return 0;
    default: return -1;
    }
}

void Dispatcher::dispatch_frame(const std::uint8_t* frame, std::size_t size) {
    std::uint8_t first9[9] = {};
    std::copy_n(frame, std::min<std::size_t>(size, 9), first9);
    const std::string line = receiveLine(first9);
    if (diary_) diary_->writeMessageToFile(line);
    events_.traceFrame(line);

    const std::uint8_t command = frame[4];
    const std::size_t length = frameLength(frame) - 1u;
    const std::uint8_t* payload = frame + kHeaderSize;
    const int needed = minimumPayload(command, payload, length);
    if (needed < 0) return;  // a command the editor does not take
    if (length < static_cast<std::size_t>(needed)) {
        linkLog("dropped short frame: command " + std::to_string(command) + " carries " + std::to_string(length) +
                " payload bytes, needs " + std::to_string(needed));
        return;
    }
    std::lock_guard lock(linkLock_);
    handle(command, payload, length);
}

void Dispatcher::post(EventCode code, std::vector<std::uint32_t> values) {
    events_.postEvent(code, std::move(values));
    const int c = static_cast<int>(code);
    if (c >= 1 && c <= 11) events_.postSetIsChangeGuiData(true);
    if (code == EventCode::PresetNowChangeUpdateData) events_.postSetIsChangeGuiData(false);
}

void Dispatcher::handle(std::uint8_t command, const std::uint8_t* p, std::size_t length) {
    auto& b = blocks_;
    if (const int m = moduleIndex(command); m >= 0) {
        ModuleBlock& block = b.modules[static_cast<std::size_t>(m)];
        const int received = command == cmd::Cab ? 6 : command == cmd::Delay ? 6 : kModuleElements[static_cast<std::size_t>(m)];
        for (int i = 0; i < received; ++i) block[static_cast<std::size_t>(i)] = be16(p + 2 * i);
        if (command == cmd::Delay) {
            if (block[1] == 8) block[6] = be16(p + 12);
            if (block[1] == 9) {
                block[7] = be16(p + 12);
                block[8] = be16(p + 14);
            }
        }
        post(static_cast<EventCode>(m + 1), firstValues(block, static_cast<std::size_t>(kModuleEventValues[static_cast<std::size_t>(m)])));
        return;
    }
    auto bytes = [p](std::size_t n) { return std::vector<std::uint32_t>(p, p + n); };
    switch (command) {
    case cmd::UiCmd:
        std::copy_n(p, 3, b.UICMD_Block.begin());
        post(EventCode::UICMDUpdateData, bytes(3));
        break;
    case cmd::IrNames:
        std::copy_n(p, 150, b.IR_NAME_Block.begin());
        post(EventCode::IRNAME_ReveiveDataUpdateData, bytes(150));
        break;
    case cmd::AmpNames:
        std::copy_n(p, 150, b.AMP_NAME_Block.begin());
        post(EventCode::AMPNAME_ReveiveDataUpdateData, bytes(150));
        break;
    case cmd::NowPreset:
        std::copy_n(p, 512, b.NOW_PRESET_Block.begin());
        post(EventCode::NowPresetReceiveUpdateData, bytes(512));
        break;
    case cmd::FsMode:
        b.FSMODE_Value = p[0];
        post(EventCode::FSModeUpdateData, bytes(1));
        break;
    case cmd::GlobalEq:
        std::copy_n(p, 10, b.GLBI_EQ_Block.begin());
        post(EventCode::GLBI_EQ_ReveiveDataUpdateData, bytes(9));
        break;
    case cmd::Chain:
        std::copy_n(p, 18, b.CHAIN_Block.begin());
        post(EventCode::EfficChainUpdateData, bytes(18));
        break;
    case cmd::System:
        std::copy_n(p, 10, b.SYSTEM_Block.begin());
        post(EventCode::SystemUpdateData, bytes(10));
        break;
    case cmd::PresetVol:
        b.PRESET_VOL_Value = p[0];
        post(EventCode::PresetVolUpdateData, bytes(1));
        break;
    case cmd::Exp:
        std::copy_n(p, 7, b.EXP_Block.begin());
        post(EventCode::ExpModeUpdateData, bytes(7));
        break;
    case cmd::Ctrl:
        b.CTRL_Block[0] = be16(p);  // as received, not doubled
        std::copy_n(p + 2, 10, b.CTRL_Block.begin() + 1);
        post(EventCode::TabCtrlUpdateData, firstValues(b.CTRL_Block, 11));
        break;
    case cmd::PresetRecord:
    case cmd::PresetStored: {
        const int slot = p[0] + 256 * p[1];
        if (!PresetStore::validSlot(slot)) break;
        presets_.storeRecord(slot, p + 2, command == cmd::PresetRecord);
        if (command == cmd::PresetRecord) load_progress(slot);
        break;
    }
    case cmd::CurrentPreset:
        std::copy_n(p, 2, b.CURRENT_Preset.begin());
        post(EventCode::PresetNowChangeUpdateData, bytes(2));
        break;
    case cmd::Save: post(EventCode::SAVEDATA_ReveiveDataUpdateData, bytes(16)); break;
    case cmd::BackupRead:
    case cmd::BackupWrite: {
        auto& x = b.BackupXfer;
        x.kind = p[0];
        x.number = p[1];
        x.part = p[2];
        if (command == cmd::BackupRead && x.part < 255) {
            std::copy_n(p + 3, std::min<std::size_t>(length - 3, x.data.size()), x.data.begin());
        }
        x.done = true;
        break;
    }
    case cmd::MergeStatus:
        std::copy_n(p, 2, b.MERGE_Status.begin());
        post(EventCode::MergeStatusUpdateData, bytes(2));
        break;
    case cmd::IrChunk: {
        auto& up = b.IrUpload;
        const std::uint8_t k = p[0];
        if (k >= 1 && k <= 3) {
            up.chunk = static_cast<std::uint8_t>(k + 1);
            up.pending = true;
        } else if (k == 4) {
            up.chunk = 0;
            up.done = true;
        }
        break;
    }
    case cmd::AmpChunk: {
        auto& up = b.AmpUpload;
        const std::uint8_t k = p[0];
        if (k >= 1 && k <= 4) {
            up.chunk = static_cast<std::uint8_t>(k + 1);
        } else if (k == 5) {
            up.chunk = 0;
            up.active = false;
        }
        break;
    }
    case cmd::RecordWrite: b.WritePresetIndex = -1; break;
    default: break;
    }
}

void Dispatcher::load_progress(int slot) {
    events_.postLoadProgress(static_cast<float>(slot + 1) / static_cast<float>(kSlotCount));
    if (slot == kSlotCount - 1) events_.postPresetList(presets_.presetList());
}

}  // namespace quorvex
