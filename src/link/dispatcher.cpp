#include "dispatcher.h"

#include "commands.h"
#include "diary.h"
#include "frame.h"
#include "link_log.h"

#include <algorithm>
#include <string>

namespace quorvex {
namespace {

constexpr std::uint32_t kPresetItems = 4;  // the backup kind of the preset records

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

int Dispatcher::minimumPayload(std::uint8_t command) {
    // Blocks of values are taken as far as their values arrived; the rest of the block
    // keeps what it held. Records, names and transfer replies are only taken whole.
    if (moduleIndex(command) >= 0) return 2;
    switch (command) {
    case cmd::UiCmd: case cmd::FsMode: case cmd::PresetVol: case cmd::IrChunk: case cmd::AmpChunk:
    case cmd::GlobalEq: case cmd::System: case cmd::Chain: case cmd::Exp: case cmd::MergeStatus: return 1;
    case cmd::Ctrl: case cmd::CurrentPreset: return 2;
    case cmd::IrNames: case cmd::AmpNames: return 150;
    case cmd::NowPreset: return 512;
    case cmd::PresetRecord: case cmd::PresetStored: return 514;
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
    const int needed = minimumPayload(command);
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
        handleModule(m, p, length);
        return;
    }
    // Copies the bytes that arrived, at most n, into the block; the block's other
    // elements keep their values.
    const auto take = [p, length](auto& block, std::size_t n) { std::copy_n(p, std::min(n, length), block.begin()); };
    auto bytes = [p](std::size_t n) { return std::vector<std::uint32_t>(p, p + n); };
    switch (command) {
    case cmd::UiCmd:
        take(b.UICMD_Block, 3);
        post(EventCode::UICMDUpdateData, firstValues(b.UICMD_Block, 3));
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
        // Nine bytes are the whole of the three bands; a tenth is kept when sent.
        take(b.GLBI_EQ_Block, 10);
        post(EventCode::GLBI_EQ_ReveiveDataUpdateData, firstValues(b.GLBI_EQ_Block, 9));
        break;
    case cmd::Chain:
        take(b.CHAIN_Block, 18);
        post(EventCode::EfficChainUpdateData, firstValues(b.CHAIN_Block, 18));
        break;
    case cmd::System:
        take(b.SYSTEM_Block, 10);
        post(EventCode::SystemUpdateData, firstValues(b.SYSTEM_Block, 10));
        break;
    case cmd::PresetVol:
        b.PRESET_VOL_Value = p[0];
        post(EventCode::PresetVolUpdateData, bytes(1));
        break;
    case cmd::Exp:
        take(b.EXP_Block, 7);
        post(EventCode::ExpModeUpdateData, firstValues(b.EXP_Block, 7));
        break;
    case cmd::Ctrl:
        b.CTRL_Block[0] = be16(p);  // as received, not doubled
        std::copy_n(p + 2, std::min<std::size_t>(10, length - 2), b.CTRL_Block.begin() + 1);
        post(EventCode::TabCtrlUpdateData, firstValues(b.CTRL_Block, 11));
        break;
    case cmd::PresetRecord:
    case cmd::PresetStored: {
        const int slot = p[0] + 256 * p[1];
        if (!PresetStore::validSlot(slot)) break;
        presets_.storeRecord(slot, p + 2, command == cmd::PresetRecord, command == cmd::PresetRecord ? "pedal" : "save");
        if (command == cmd::PresetRecord) load_progress(slot);
        break;
    }
    case cmd::CurrentPreset:
        std::copy_n(p, 2, b.CURRENT_Preset.begin());
        post(EventCode::PresetNowChangeUpdateData, bytes(2));
        break;
    case cmd::Save:
        ++b.SaveAnswers;
        post(EventCode::SAVEDATA_ReveiveDataUpdateData, bytes(16));
        break;
    case cmd::BackupRead:
    case cmd::BackupWrite: {
        auto& x = b.BackupXfer;
        // An answer names the block it belongs to: one to an earlier request, or to an
        // earlier try of this one already taken, is not this request's answer. A read of
        // an item without data is answered with block 255.
        const bool noData = command == cmd::BackupRead && p[2] == 255;
        if (p[0] != x.kind || p[1] != x.number || (p[2] != x.part && !noData)) break;
        x.part = p[2];
        // A short answer is the whole block: what it leaves out is zero, not the bytes
        // of the block before.
        if (command == cmd::BackupRead && x.part < 255) {
            const auto end = std::copy_n(p + 3, std::min<std::size_t>(length - 3, x.data.size()), x.data.begin());
            std::fill(end, x.data.end(), std::uint8_t{0});
        }
        // A restored preset is confirmed in its slot (items count from 1).
        if (command == cmd::BackupWrite && x.kind == kPresetItems && x.part == 1 &&
            PresetStore::validSlot(static_cast<int>(x.number) - 1))
            presets_.storeRecord(static_cast<int>(x.number) - 1, x.data.data(), true, "restore");
        x.done = true;
        break;
    }
    case cmd::MergeStatus:
        take(b.MERGE_Status, 2);
        post(EventCode::MergeStatusUpdateData, firstValues(b.MERGE_Status, 2));
        break;
    case cmd::IrChunk: {
        auto& up = b.IrUpload;
        const std::uint8_t k = p[0];
        // Only the chunk in flight counts: a late acknowledgement from an upload that
        // gave up must not move the next one on.
        if (!up.active || k != up.chunk) break;
        if (k >= 1 && k <= 3) {
            up.chunk = static_cast<std::uint8_t>(k + 1);
            up.pending = true;
        } else if (k == 4) {
            up.chunk = 0;
            up.done = true;
            up.active = false;
        }
        break;
    }
    case cmd::AmpChunk: {
        auto& up = b.AmpUpload;
        const std::uint8_t k = p[0];
        if (!up.active || k != up.chunk) break;  // as for 225
        if (k >= 1 && k <= 4) {
            up.chunk = static_cast<std::uint8_t>(k + 1);
            up.pending = true;
        } else if (k == 5) {
            up.chunk = 0;
            up.active = false;
            up.pending = false;
        }
        break;
    }
    case cmd::RecordWrite:
        // The pedal echoes the slot it wrote: the confirmation of an earlier write is not this one's.
        if (length == 0 || p[0] == static_cast<std::uint8_t>(b.WritePresetIndex)) {
            // The slot now holds the record that went out.
            if (PresetStore::validSlot(b.WritePresetIndex))
                presets_.storeRecord(b.WritePresetIndex, b.PRESET_Record_Out.data(), true, "import");
            b.WritePresetIndex = -1;
        }
        break;
    default: break;
    }
}

void Dispatcher::handleModule(int m, const std::uint8_t* p, std::size_t length) {
    ModuleBlock& block = blocks_.modules[static_cast<std::size_t>(m)];
    const auto arrived = [length](std::size_t offset) { return length >= offset + 2; };
    // CAB reports six values and DELAY six common ones before its model's tail.
    const bool delay = m == static_cast<int>(Module::Delay);
    const int fixed = (m == static_cast<int>(Module::Cab) || delay) ? 6 : kModuleElements[static_cast<std::size_t>(m)];
    for (int i = 0; i < fixed && arrived(2 * static_cast<std::size_t>(i)); ++i)
        block[static_cast<std::size_t>(i)] = be16(p + 2 * i);
    if (delay && arrived(2)) {
        const std::uint32_t model = be16(p + 2);
        if (model == 8 && arrived(12)) block[6] = be16(p + 12);
        if (model == 9 && arrived(12)) block[7] = be16(p + 12);
        if (model == 9 && arrived(14)) block[8] = be16(p + 14);
    }
    post(static_cast<EventCode>(m + 1),
         firstValues(block, static_cast<std::size_t>(kModuleEventValues[static_cast<std::size_t>(m)])));
}

void Dispatcher::load_progress(int slot) {
    events_.postLoadProgress(static_cast<float>(slot + 1) / static_cast<float>(kSlotCount));
    if (slot == kSlotCount - 1) events_.postPresetList(presets_.presetList(), presets_.missingSlots());
}

}  // namespace quorvex
