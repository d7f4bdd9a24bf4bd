#include "pedal_core.h"

#include "backup_items.h"
#include "block_payloads.h"
#include "frame.h"

#include <algorithm>

namespace quorvex::pedal {
namespace {

Frame frameOf(std::uint8_t cmd, std::span<const std::uint8_t> payload) { return buildFrame(cmd, payload); }

Frame frameOf(std::uint8_t cmd, std::initializer_list<std::uint8_t> payload) {
    return buildFrame(cmd, std::span<const std::uint8_t>(payload.begin(), payload.size()));
}

// Copies as many bytes as both sides hold.
template <typename Dest>
void copyBytes(std::span<const std::uint8_t> from, Dest& to) {
    const std::size_t n = std::min(from.size(), to.size());
    for (std::size_t i = 0; i < n; ++i) to[i] = static_cast<typename Dest::value_type>(from[i]);
}

template <typename Values>
std::vector<std::uint8_t> lowBytes(const Values& values) {
    std::vector<std::uint8_t> out;
    for (auto v : values) out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    return out;
}

std::vector<std::uint8_t> ctrlPayload(const std::array<std::uint32_t, 11>& ctrl) {
    std::vector<std::uint8_t> out;
    putBe16(out, ctrl[0]);
    for (std::size_t i = 1; i < ctrl.size(); ++i) out.push_back(static_cast<std::uint8_t>(ctrl[i] & 0xFF));
    return out;
}

Frame presetFrame(std::uint8_t cmd, int slot, const PresetRecord& rec) {
    std::vector<std::uint8_t> payload{slotLow(slot), slotHigh(slot)};
    payload.insert(payload.end(), rec.begin(), rec.end());
    return frameOf(cmd, payload);
}

}  // namespace

std::optional<int> slotFromWire(std::uint8_t low, std::uint8_t high) {
    const int slot = low + 256 * high;
    if (slot >= kSlotCount) return std::nullopt;
    return slot;
}

PedalCore::PedalCore(PedalMemory memory, Texts texts, bool acknowledge, bool echoSaves)
    : memory_(std::move(memory)), texts_(std::move(texts)), acknowledge_(acknowledge), echoSaves_(echoSaves) {}

void PedalCore::handle(std::uint8_t cmd, std::span<const std::uint8_t> p, std::vector<Frame>& out) {
    LiveSound& live = memory_.live;
    GlobalSettings& settings = memory_.settings;
    if (const auto module = moduleForCommand(cmd)) {
        decodeModuleUpdate(*module, p, live.module(*module));
        return;
    }
    switch (cmd) {
    case command::kStart:
        out.push_back(identityFrame());
        break;
    case command::kSendState: {
        auto frames = stateFrames();
        std::move(frames.begin(), frames.end(), std::back_inserter(out));
        break;
    }
    case command::kFocus:
        copyBytes(p, settings.focus);
        break;
    case command::kChain:
        copyBytes(p, live.chain);
        break;
    case command::kSystem:
        copyBytes(p, settings.system);
        break;
    case command::kGlobalEq:
        copyBytes(p, settings.globalEq);
        break;
    case command::kVolume:
        if (!p.empty()) live.volume = p[0];
        break;
    case command::kExp:
        copyBytes(p, live.exp);
        break;
    case command::kCtrl:
        // The editor sends half the tempo; the pedal holds and reports the tempo itself.
        if (p.size() >= 2) live.ctrl[0] = 2 * readBe16(p, 0);
        for (std::size_t i = 2; i < p.size() && i < 12; ++i) live.ctrl[i - 1] = p[i];
        break;
    case command::kExpMerge:
        if (!p.empty()) settings.expMerge = p[0];
        break;
    case command::kFsMode:
        if (!p.empty()) settings.fsMode = p[0];
        break;
    case command::kCurrentPreset:
        if (p.size() >= 2) {
            if (const auto slot = slotFromWire(p[0], p[1])) loadPreset(*slot);
        }
        break;
    case command::kLoadRecord:
        if (p.size() >= kRecordSize) {
            PresetRecord rec{};
            std::copy_n(p.begin(), kRecordSize, rec.begin());
            live = soundFromRecord(rec, live);
        }
        break;
    case command::kSave:
        save(p, out);
        break;
    case command::kWritePreset:
        writePreset(p, out);
        break;
    case command::kIrChunk:
        irChunk(p, out);
        break;
    case command::kAmpChunk:
        ampChunk(p, out);
        break;
    case command::kIrClear:
        if (!p.empty() && p[0] < kUserSlots) memory_.irSlots[p[0]] = IrSlot{};
        break;
    case command::kBackupRead:
        backupRead(p, out);
        break;
    case command::kBackupWrite:
        backupWrite(p, out);
        break;
    default:
        break;  // not a command the pedal acts on
    }
}

void PedalCore::loadPreset(int slot) {
    memory_.currentPreset = slot;
    memory_.live = soundFromRecord(memory_.presets[static_cast<std::size_t>(slot)], memory_.live);
}

void PedalCore::save(std::span<const std::uint8_t> p, std::vector<Frame>& out) {
    if (p.size() < 2) return;
    const auto slot = slotFromWire(p[0], p[1]);
    if (!slot) return;
    PresetRecord& rec = memory_.presets[static_cast<std::size_t>(*slot)];
    rec = liveRecord();
    std::array<std::uint8_t, kNameSize> name{};
    copyBytes(p.subspan(2), name);
    std::copy(name.begin(), name.end(), rec.begin() + record::kName);
    if (*slot == memory_.currentPreset) memory_.live.base = rec;
    if (!acknowledge_) return;
    if (echoSaves_) {
        std::vector<std::uint8_t> stored{slotLow(*slot), slotHigh(*slot)};
        stored.insert(stored.end(), rec.begin(), rec.end());
        out.push_back(frameOf(command::kPresetStored, stored));
    }
    std::vector<std::uint8_t> confirm{static_cast<std::uint8_t>(*slot & 0xFF)};
    confirm.insert(confirm.end(), name.begin(), name.begin() + 15);
    out.push_back(frameOf(command::kSave, confirm));
}

void PedalCore::writePreset(std::span<const std::uint8_t> p, std::vector<Frame>& out) {
    if (p.size() < 1 + kRecordSize) return;
    const std::uint8_t slot = p[0];  // one byte: slots 0..255
    PresetRecord& rec = memory_.presets[slot];
    std::copy_n(p.begin() + 1, kRecordSize, rec.begin());
    if (acknowledge_) out.push_back(frameOf(command::kWritePreset, {slot}));
}

void PedalCore::irChunk(std::span<const std::uint8_t> p, std::vector<Frame>& out) {
    if (p.size() < 2 || p[0] >= kUserSlots || p[1] < 1 || p[1] > 4) return;
    IrSlot& slot = memory_.irSlots[p[0]];
    const std::uint8_t chunk = p[1];
    const auto data = p.subspan(2);
    if (chunk <= 3) {
        const std::size_t n = std::min(data.size(), kIrSamples);
        std::copy_n(data.begin(), n, slot.data.begin() + static_cast<std::ptrdiff_t>((chunk - 1u) * kIrSamples));
    } else {
        slot.name.fill(0);
        copyBytes(data, slot.name);
        std::copy(slot.name.begin(), slot.name.end(), slot.data.begin() + kIrItemNameOffset);
        slot.present = true;
    }
    if (acknowledge_) out.push_back(frameOf(command::kIrChunk, {chunk}));
}

void PedalCore::ampChunk(std::span<const std::uint8_t> p, std::vector<Frame>& out) {
    if (p.size() < 2 || p[0] >= kUserSlots || p[1] < 1 || p[1] > kAmpChunks) return;
    AmpSlot& slot = memory_.ampSlots[p[0]];
    const std::uint8_t chunk = p[1];
    const auto data = p.subspan(2);
    if (chunk < kAmpChunks) {
        const std::size_t n = std::min(data.size(), kAmpChunkSize);
        std::copy_n(data.begin(), n, slot.data.begin() + static_cast<std::ptrdiff_t>((chunk - 1u) * kAmpChunkSize));
    } else {
        slot.name.fill(0);
        copyBytes(data, slot.name);
        std::copy(slot.name.begin(), slot.name.end(), slot.data.begin() + kAmpItemNameOffset);
        slot.present = true;
    }
    if (acknowledge_) out.push_back(frameOf(command::kAmpChunk, {chunk}));
}

void PedalCore::backupRead(std::span<const std::uint8_t> p, std::vector<Frame>& out) {
    if (p.size() < 3 || !acknowledge_) return;
    std::vector<std::uint8_t> answer{p[0], p[1], p[2]};
    if (auto data = readBackupBlock(memory_, p[0], p[1], p[2])) {
        answer.insert(answer.end(), data->begin(), data->end());
    } else {
        answer[2] = kNoData;
    }
    out.push_back(frameOf(command::kBackupRead, answer));
}

void PedalCore::backupWrite(std::span<const std::uint8_t> p, std::vector<Frame>& out) {
    if (p.size() < 3) return;
    writeBackupBlock(memory_, p[0], p[1], p[2], p.subspan(3));
    if (acknowledge_) out.push_back(frameOf(command::kBackupWrite, {p[0], p[1], p[2]}));
}

std::optional<Frame> PedalCore::turnKnob(Module module, int element, std::uint32_t value) {
    if (element < 0 || element >= kModuleElements[static_cast<int>(module)]) return std::nullopt;
    ModuleBlock& block = memory_.live.module(module);
    block[static_cast<std::size_t>(element)] = value;
    return frameOf(moduleCommand(module), encodeModuleReport(module, block));
}

std::optional<Frame> PedalCore::selectPreset(int slot) {
    if (slot < 0 || slot >= kSlotCount) return std::nullopt;
    loadPreset(slot);
    return frameOf(command::kCurrentPreset, {slotLow(slot), slotHigh(slot)});
}

Frame PedalCore::moveChain(const std::array<std::uint32_t, 18>& chain) {
    memory_.live.chain = chain;
    return frameOf(command::kChain, lowBytes(chain));
}

Frame PedalCore::showModule(Module module) {
    const auto page = static_cast<std::uint8_t>(static_cast<int>(module) + 1);
    memory_.settings.focus = {page, 0};
    return frameOf(command::kFocus, {page, 0, 0});
}

Frame PedalCore::showSettingsPage(std::uint8_t b, std::uint8_t c) {
    memory_.settings.focus = {0, b};
    return frameOf(command::kFocus, {0, b, c});
}

std::optional<Frame> PedalCore::changeSetting(std::uint8_t cmd, std::span<const std::uint8_t> p) {
    LiveSound& live = memory_.live;
    switch (cmd) {
    case command::kSystem: copyBytes(p, memory_.settings.system); break;
    case command::kGlobalEq: copyBytes(p, memory_.settings.globalEq); break;
    case command::kFsMode:
        if (p.empty()) return std::nullopt;
        memory_.settings.fsMode = p[0];
        break;
    case command::kExp: copyBytes(p, live.exp); break;
    case command::kCtrl:
        // Unlike the editor, the pedal puts the tempo itself into the first two bytes.
        if (p.size() < 2) return std::nullopt;
        live.ctrl[0] = readBe16(p, 0);
        for (std::size_t i = 2; i < p.size() && i < 12; ++i) live.ctrl[i - 1] = p[i];
        break;
    default:
        return std::nullopt;
    }
    return frameOf(cmd, p);
}

PresetRecord PedalCore::liveRecord() const {
    PresetRecord rec = memory_.live.base;
    storeSoundInRecord(memory_.live, rec);
    return rec;
}

Frame PedalCore::identityFrame() const {
    std::vector<std::uint8_t> payload(identity::kPayloadSize, 0);
    auto place = [&payload](std::size_t at, std::size_t size, const std::string& text) {
        std::copy_n(text.begin(), std::min(size, text.size()), payload.begin() + static_cast<std::ptrdiff_t>(at));
    };
    place(identity::kProduct, identity::kProductSize, texts_.product);
    place(identity::kFirmware, identity::kFirmwareSize, texts_.firmware);
    place(identity::kHardware, 6, identity::kHardwareText);
    payload[identity::kMode] = identity::kModeLetter;
    return frameOf(command::kStart, payload);
}

std::vector<Frame> PedalCore::stateFrames() const {
    const LiveSound& live = memory_.live;
    const GlobalSettings& s = memory_.settings;
    std::vector<Frame> frames;
    frames.reserve(20 + kSlotCount);
    frames.push_back(frameOf(command::kIrNames, irNameTable(memory_)));
    frames.push_back(frameOf(command::kAmpNames, ampNameTable(memory_)));
    frames.push_back(frameOf(command::kSystem, s.system));
    frames.push_back(frameOf(command::kGlobalEq, s.globalEq));
    frames.push_back(frameOf(command::kFsMode, {s.fsMode}));
    frames.push_back(frameOf(command::kCtrl, ctrlPayload(live.ctrl)));
    frames.push_back(frameOf(command::kExp, lowBytes(live.exp)));
    for (int m = 0; m < kModuleCount; ++m) {
        const auto module = static_cast<Module>(m);
        frames.push_back(frameOf(moduleCommand(module), encodeModuleReport(module, live.module(module))));
    }
    frames.push_back(frameOf(command::kChain, lowBytes(live.chain)));
    frames.push_back(frameOf(command::kVolume, {static_cast<std::uint8_t>(live.volume & 0xFF)}));
    for (int slot = 0; slot < kSlotCount; ++slot) {
        frames.push_back(presetFrame(command::kPresetRecord, slot, memory_.presets[static_cast<std::size_t>(slot)]));
    }
    // The current preset last: by then the host holds every record, so it can show the
    // slot's stored sound, and the preset counts as unedited.
    frames.push_back(frameOf(command::kCurrentPreset, {slotLow(memory_.currentPreset), slotHigh(memory_.currentPreset)}));
    return frames;
}

}  // namespace quorvex::pedal
