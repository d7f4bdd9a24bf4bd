#include "command_encoder.h"

#include "frame.h"

#include <algorithm>

namespace quorvex {
namespace {

template <std::size_t N>
void copyValues(std::array<std::uint32_t, N>& block, const std::uint32_t* para, int len) {
    std::copy_n(para, std::min<std::size_t>(N, static_cast<std::size_t>(std::max(len, 0))), block.begin());
}

void putBe16(std::uint8_t*& p, std::uint32_t value) {
    *p++ = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    *p++ = static_cast<std::uint8_t>(value & 0xFF);
}

void putByte(std::uint8_t*& p, std::uint32_t value) { *p++ = static_cast<std::uint8_t>(value & 0xFF); }

template <typename Range>
void putBytes(std::uint8_t*& p, const Range& values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) putByte(p, values[i]);
}

std::size_t setLength(std::uint8_t* frame, std::uint8_t command, std::size_t payloadLength) {
    const std::size_t length = payloadLength + 1;
    frame[2] = static_cast<std::uint8_t>(length & 0xFF);
    frame[3] = static_cast<std::uint8_t>(length >> 8);
    frame[4] = command;
    return length;
}

}  // namespace

bool changesSound(std::uint8_t command) {
    switch (command) {
    case cmd::Chain: case cmd::PresetVol: case cmd::Exp: case cmd::Ctrl: case cmd::ExpMerge:
    case cmd::CurrentPreset: case cmd::RecordCurrent: return true;
    default: return std::find(kModuleCommands.begin(), kModuleCommands.end(), command) != kModuleCommands.end();
    }
}

bool marksPresetEdited(BlockType type) {
    const int t = static_cast<int>(type);
    return t <= 8 || type == BlockType::CHAIN || type == BlockType::PRESET_VOL;
}

void CommandEncoder::store(BlockType type, const std::uint32_t* para, int len, int index) {
    if (len <= 0) return;
    const std::uint32_t last = para[len - 1];
    const int t = static_cast<int>(type);
    if (t >= 0 && t <= 8) {
        const auto module = static_cast<std::size_t>(t);
        copyValues(blocks_.modules[module], para, std::min(len, kModuleElements[module]));
        raise(kModuleCommands[module]);
        return;
    }
    switch (type) {
    case BlockType::SYSTEM: copyValues(blocks_.SYSTEM_Block, para, len); raise(cmd::System); break;
    case BlockType::FSMODE: blocks_.FSMODE_Value = last; raise(cmd::FsMode); break;
    case BlockType::CTRL: copyValues(blocks_.CTRL_Block, para, len); raise(cmd::Ctrl); break;
    case BlockType::EXP: copyValues(blocks_.EXP_Block, para, len); raise(cmd::Exp); break;
    case BlockType::UICMD: copyValues(blocks_.UICMD_Block, para, std::min(len, 2)); raise(cmd::UiCmd); break;
    case BlockType::CHAIN: copyValues(blocks_.CHAIN_Block, para, len); raise(cmd::Chain); break;
    case BlockType::CURRENT: copyValues(blocks_.CURRENT_Preset, para, len); raise(cmd::CurrentPreset); break;
    case BlockType::PRESET_VOL: blocks_.PRESET_VOL_Value = last; raise(cmd::PresetVol); break;
    case BlockType::EXP_MERGE: blocks_.EXP_MERGE_Value = last; raise(cmd::ExpMerge); break;
    case BlockType::SAVE: copyValues(blocks_.SAVE_Block, para, len); raise(cmd::Save); break;
    case BlockType::RECORD_CURRENT:
    case BlockType::RECORD_WRITE: {
        const std::size_t n = std::min<std::size_t>(blocks_.PRESET_Record_Out.size(), static_cast<std::size_t>(len));
        for (std::size_t i = 0; i < n; ++i) blocks_.PRESET_Record_Out[i] = static_cast<std::uint8_t>(para[i]);
        if (type == BlockType::RECORD_WRITE) {
            blocks_.WritePresetIndex = index;
            raise(cmd::RecordWrite);
        } else {
            raise(cmd::RecordCurrent);
        }
        break;
    }
    case BlockType::GLBI_EQ: copyValues(blocks_.GLBI_EQ_Block, para, len); raise(cmd::GlobalEq); break;
    default: break;
    }
}

void CommandEncoder::discardPending() {
    dirty_.fill(false);
    releaseSound();
    blocks_.IrUpload.pending = false;
    blocks_.IrUpload.active = false;
    blocks_.AmpUpload.pending = false;
    blocks_.AmpUpload.active = false;
}

std::size_t CommandEncoder::buildStartFrame(std::uint8_t* frame) {
    frame[5] = 0x00;
    return setLength(frame, cmd::Start, 1);
}

std::size_t CommandEncoder::buildHelloFrame(std::uint8_t* frame) { return setLength(frame, cmd::Hello, 0); }

std::size_t CommandEncoder::buildFrame(std::uint8_t command, std::uint8_t* frame) {
    if (soundHeld_ && changesSound(command)) return 0;
    if (command == cmd::IrChunk) {
        // The upload's pending flag plays the role of the dirty flag.
        if (!blocks_.IrUpload.pending) return 0;
        blocks_.IrUpload.pending = false;
    } else if (command == cmd::AmpChunk) {
        if (!blocks_.AmpUpload.active || !blocks_.AmpUpload.pending) return 0;
        blocks_.AmpUpload.pending = false;
    } else {
        if (!dirty_[command]) return 0;
        dirty_[command] = false;
        if (command == cmd::RecordWrite && blocks_.WritePresetIndex < 0) return 0;
    }
    if (command == cmd::RecordCurrent) {
        soundHeld_ = loadToSave_;
        loadToSave_ = false;
    }
    if (command == cmd::Save) soundHeld_ = false;
    return setLength(frame, command, payloadFor(command, frame + kHeaderSize));
}

std::size_t CommandEncoder::payloadFor(std::uint8_t command, std::uint8_t* payload) {
    std::uint8_t* p = payload;
    auto& b = blocks_;
    for (std::size_t m = 0; m < kModuleCommands.size(); ++m) {
        if (command != kModuleCommands[m]) continue;
        const ModuleBlock& block = b.modules[m];
        if (command == cmd::Delay) {
            for (int i = 0; i < 6; ++i) putBe16(p, block[static_cast<std::size_t>(i)]);
            if (block[1] == 9) {  // the dual delay carries its two times instead of element 6
                putBe16(p, block[7]);
                putBe16(p, block[8]);
            } else {
                putBe16(p, block[6]);
                putByte(p, 0x00);
                putByte(p, 0x02);
            }
        } else {
            for (int i = 0; i < kModuleElements[m]; ++i) putBe16(p, block[static_cast<std::size_t>(i)]);
        }
        return static_cast<std::size_t>(p - payload);
    }
    switch (command) {
    case cmd::UiCmd: putBytes(p, b.UICMD_Block, 2); break;
    case cmd::PresetVol: putByte(p, b.PRESET_VOL_Value); break;
    case cmd::Chain: putBytes(p, b.CHAIN_Block, 18); break;
    case cmd::System: putBytes(p, b.SYSTEM_Block, 10); break;
    case cmd::GlobalEq: putBytes(p, b.GLBI_EQ_Block, 9); break;  // edits and reports alike hold the wire bytes
    case cmd::Exp: putBytes(p, b.EXP_Block, 7); break;
    case cmd::Ctrl:
        putBe16(p, b.CTRL_Block[0] / 2);
        for (std::size_t i = 1; i <= 10; ++i) putByte(p, b.CTRL_Block[i]);
        break;
    case cmd::Save: putBytes(p, b.SAVE_Block, 18); break;
    case cmd::CurrentPreset: putBytes(p, b.CURRENT_Preset, 2); break;
    case cmd::IrChunk: {
        const auto& up = b.IrUpload;
        putByte(p, up.slot);
        putByte(p, up.chunk);
        if (up.chunk >= 1 && up.chunk <= 3) {
            const int shift = 8 * (3 - up.chunk);  // chunk 1: bits 16..23, 2: 8..15, 3: 0..7
            for (std::uint32_t sample : up.samples) putByte(p, sample >> shift);
        } else if (up.chunk == 4) {
            putBytes(p, up.name, up.name.size());
        }
        break;
    }
    case cmd::AmpChunk: {
        const auto& up = b.AmpUpload;
        putByte(p, up.slot);
        putByte(p, up.chunk);
        if (up.chunk >= 1 && up.chunk <= 4) {
            const int shift = 8 * (4 - up.chunk);  // chunk 1: bits 24..31 .. chunk 4: bits 0..7
            for (std::uint32_t word : up.words) putByte(p, word >> shift);
        } else if (up.chunk == 5) {
            putBytes(p, up.name, up.name.size());
        }
        break;
    }
    case cmd::IrDelete: putByte(p, b.IrDeleteSlot); break;
    case cmd::RecordWrite:
        putByte(p, static_cast<std::uint32_t>(b.WritePresetIndex));
        putBytes(p, b.PRESET_Record_Out, 512);
        break;
    case cmd::RecordCurrent: putBytes(p, b.PRESET_Record_Out, 512); break;
    case cmd::ExpMerge: putByte(p, b.EXP_MERGE_Value); break;
    case cmd::FsMode: putByte(p, b.FSMODE_Value); break;
    case cmd::BackupRead:
    case cmd::BackupWrite:
        putByte(p, b.BackupXfer.kind);
        putByte(p, b.BackupXfer.number);
        putByte(p, b.BackupXfer.part);
        if (command == cmd::BackupWrite) putBytes(p, b.BackupXfer.data, 512);
        break;
    default: break;
    }
    return static_cast<std::size_t>(p - payload);
}

}  // namespace quorvex
