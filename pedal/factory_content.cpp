#include "factory_content.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace quorvex::pedal {
namespace {

// xorshift32: small, fast and the same on every platform.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {
        if (state_ == 0) state_ = 1;
    }
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform enough in lo..hi (inclusive).
    std::uint32_t in(std::uint32_t lo, std::uint32_t hi) { return lo + next() % (hi - lo + 1); }

private:
    std::uint32_t state_;
};

constexpr std::string_view kSoundNames[] = {
    "JAZZ BOX",     "CRUNCH",       "BLUES LEAD",  "COUNTRY TWANG", "CLEAN",        "FUNK CHOP",
    "METAL RHYTHM", "SHRED LEAD",   "AMBIENT PAD", "SURF SPRING",   "BRIT CRUNCH",  "FUZZ FACE",
    "DOOM SLUDGE",  "ACOUSTIC SIM", "TAPE ECHO",   "SLAPBACK",      "POWER CHORDS", "SOLO BOOST",
    "CHORUS CLEAN", "ROTARY ORGAN", "OCTAVE UP",   "LOFI DEMO",     "SWELL",        "GRUNGE",
    "HIGH GAIN 1",  "HIGH GAIN 2",  "VINTAGE 59",  "PLEXI 100",     "DJENT",        "SHOEGAZE",
    "REGGAE SKANK", "INDIE JANGLE", "STADIUM LEAD", "DREAM DELAY",   "TREMOLO TWIN", "PHASE 90",
};

// Names that use all sixteen bytes of the name field, without a terminating zero.
constexpr struct {
    int slot;
    std::string_view name;
} kFullNames[] = {{7, "BRITISH STACK 80"}, {58, "AMBIENT SWELL 12"}, {150, "WALL OF FUZZ 100"}};

constexpr int kUnnamedSlots[] = {251, 266, 281};

// Bytes the pedal does not interpret: they get recognisable non-zero content.
constexpr struct {
    std::size_t first;
    std::size_t count;
} kOpaqueAreas[] = {{9, 1},   {34, 2},  {41, 3},    {58, 2},  {65, 3},   {82, 2},  {88, 1},
                    {98, 6},  {113, 1}, {115, 1},   {128, 216}, {360, 152}};

// Targets per module the expression pedals can take.
constexpr std::uint32_t kExpTargets[kModuleCount] = {10, 3, 6, 2, 4, 14, 12, 6, 4};

std::string presetName(int slot) {
    for (const auto& full : kFullNames) {
        if (full.slot == slot) return std::string(full.name);
    }
    for (int unnamed : kUnnamedSlots) {
        if (unnamed == slot) return {};
    }
    if (slot == 4) return "CLEAN";
    constexpr int kCount = static_cast<int>(std::size(kSoundNames));
    std::string name(kSoundNames[slot % kCount]);
    if (slot >= kCount) name += " " + std::to_string(slot / kCount + 1);
    if (name.size() > 15) name.resize(15);
    return name;
}

void setName(PresetRecord& rec, const std::string& name) {
    std::fill_n(rec.begin() + record::kName, kNameSize, 0);
    std::copy_n(name.begin(), std::min(name.size(), kNameSize), rec.begin() + record::kName);
}

ModuleBlock moduleBlock(Module module, Dice& dice) {
    ModuleBlock b{};
    auto percent = [&dice] { return dice.in(0, 100); };
    b[0] = dice.in(0, 3) == 0 ? 0 : 1;  // most modules on
    switch (module) {
    case Module::Fx:
        b[1] = dice.in(1, 8);
        for (int e = 2; e < 6; ++e) b[static_cast<std::size_t>(e)] = percent();
        break;
    case Module::Ds:
        b[1] = dice.in(1, 20);
        for (int e = 2; e < 5; ++e) b[static_cast<std::size_t>(e)] = percent();
        break;
    case Module::Amp:
        b[1] = dice.in(1, 55);
        for (int e = 2; e < 8; ++e) b[static_cast<std::size_t>(e)] = percent();
        break;
    case Module::Cab:
        b[1] = dice.in(1, 26);
        b[2] = dice.in(0, 9);  // microphone
        b[3] = percent();
        b[4] = percent();
        b[5] = dice.in(0, 4);  // power-amp tube
        break;
    case Module::Ns:
        b[1] = dice.in(1, 3);
        for (int e = 2; e < 5; ++e) b[static_cast<std::size_t>(e)] = percent();
        break;
    case Module::Eq:
        b[1] = dice.in(1, 4);
        for (int e = 2; e < 8; ++e) b[static_cast<std::size_t>(e)] = dice.in(0, 24);  // dB + 12
        b[8] = dice.in(60, 400);
        b[9] = dice.in(400, 3000);
        b[10] = dice.in(3000, 18000);
        break;
    case Module::Mod:
        b[1] = dice.in(1, 19);
        b[2] = b[1] == 9 ? dice.in(0, 240) : percent();
        for (int e = 3; e < 6; ++e) b[static_cast<std::size_t>(e)] = percent();
        b[6] = dice.in(0, 400);
        break;
    case Module::Delay:
        b[1] = dice.in(1, 9);
        b[2] = percent();
        b[3] = percent();
        b[4] = dice.in(40, 2500);
        b[5] = dice.in(0, 9);
        b[6] = percent();
        b[7] = dice.in(40, 2500);
        b[8] = dice.in(0, 9);
        break;
    case Module::Reverb:
        b[1] = dice.in(1, 7);
        for (int e = 2; e < 6; ++e) b[static_cast<std::size_t>(e)] = percent();
        break;
    }
    return b;
}

PresetRecord presetRecord(int slot) {
    Dice dice(static_cast<std::uint32_t>(slot) + 1);
    PresetRecord rec{};
    for (const auto& area : kOpaqueAreas) {
        for (std::size_t i = 0; i < area.count; ++i) {
            const std::size_t at = area.first + i;
            rec[at] = static_cast<std::uint8_t>(1 + (static_cast<std::size_t>(slot) * 31 + at * 17) % 255);
        }
    }

    // Chain: slot 0 runs the modules in their natural order, the others shuffle it.
    std::array<std::uint32_t, 9> order{};
    for (std::uint32_t i = 0; i < 9; ++i) order[i] = i;
    if (slot != 0) {
        for (std::size_t i = 8; i > 0; --i) std::swap(order[i], order[dice.next() % (i + 1)]);
    }

    LiveSound sound;
    for (int m = 0; m < kModuleCount; ++m) {
        sound.modules[static_cast<std::size_t>(m)] = moduleBlock(static_cast<Module>(m), dice);
    }
    // Some presets use the user slots that the factory content fills.
    if (slot % 25 == 10) sound.module(Module::Cab)[1] = 27 + static_cast<std::uint32_t>(kFactoryIrSlots[slot % 3]);
    if (slot % 40 == 20) sound.module(Module::Amp)[1] = 56 + static_cast<std::uint32_t>(kFactoryAmpSlots[slot % 2]);
    for (std::size_t p = 0; p < 9; ++p) {
        sound.chain[p] = order[p] + 1;
        sound.chain[9 + p] = sound.modules[order[p]][0] == 1 ? 0 : 1;
    }
    sound.volume = dice.in(40, 100);
    if (slot % 50 == 49) sound.volume = 0;  // a few silent placeholders
    sound.exp[0] = dice.in(0, 1);
    sound.exp[1] = dice.in(0, 8);
    sound.exp[2] = dice.in(0, kExpTargets[sound.exp[1]] - 1);
    sound.exp[3] = dice.in(0, 8);
    sound.exp[4] = dice.in(0, kExpTargets[sound.exp[3]] - 1);
    for (std::size_t k = 1; k <= 9; ++k) sound.ctrl[k] = dice.in(0, 2) == 0 ? 1 : 0;
    sound.ctrl[10] = dice.in(0, 1);
    storeSoundInRecord(sound, rec);

    rec[record::kExpVolumeView] = static_cast<std::uint8_t>(dice.in(0, 100));
    rec[record::kMergeA] = 0;
    rec[record::kMergeB] = 0;
    setName(rec, presetName(slot));
    return rec;
}

void setText(std::uint8_t* field, std::size_t size, std::string_view text) {
    std::fill_n(field, size, 0);
    std::copy_n(text.begin(), std::min(size, text.size()), field);
}

IrSlot factoryIr(int slot, std::string_view name) {
    IrSlot ir;
    ir.present = true;
    setText(ir.name.data(), ir.name.size(), name);
    // A decaying, slightly noisy impulse: 24-bit samples split into three byte planes.
    Dice dice(static_cast<std::uint32_t>(1000 + slot));
    double level = 8000000.0;
    for (std::size_t k = 0; k < kIrSamples; ++k) {
        const double noise = static_cast<double>(static_cast<int>(dice.in(0, 2000)) - 1000) / 1000.0;
        const auto sample = static_cast<std::int32_t>(k == 0 ? level : level * noise);
        const auto bits = static_cast<std::uint32_t>(sample) & 0xFFFFFFu;
        ir.data[k] = static_cast<std::uint8_t>(bits >> 16);
        ir.data[kIrSamples + k] = static_cast<std::uint8_t>(bits >> 8);
        ir.data[2 * kIrSamples + k] = static_cast<std::uint8_t>(bits);
        level *= 0.985;
    }
    std::copy(ir.name.begin(), ir.name.end(), ir.data.begin() + kIrItemNameOffset);
    return ir;
}

AmpSlot factoryAmp(int slot, std::string_view name) {
    AmpSlot amp;
    amp.present = true;
    setText(amp.name.data(), amp.name.size(), name);
    Dice dice(static_cast<std::uint32_t>(2000 + slot));
    for (auto& byte : amp.data) byte = static_cast<std::uint8_t>(dice.next() >> 24);
    return amp;
}

}  // namespace

std::vector<PresetRecord> factoryPresetRecords() {
    std::vector<PresetRecord> presets;
    presets.reserve(kSlotCount);
    for (int slot = 0; slot < kSlotCount; ++slot) presets.push_back(presetRecord(slot));
    return presets;
}

PedalMemory factoryMemory() {
    PedalMemory memory;
    memory.presets = factoryPresetRecords();

    constexpr std::string_view kIrNames[] = {"GREENBACK", "V30 OPEN", "ROOM 57"};
    for (std::size_t i = 0; i < std::size(kFactoryIrSlots); ++i) {
        const int slot = kFactoryIrSlots[i];
        memory.irSlots[static_cast<std::size_t>(slot)] = factoryIr(slot, kIrNames[i]);
    }
    constexpr std::string_view kAmpNames[] = {"MY PLEXI", "HOT ROD 50"};
    for (std::size_t i = 0; i < std::size(kFactoryAmpSlots); ++i) {
        const int slot = kFactoryAmpSlots[i];
        memory.ampSlots[static_cast<std::size_t>(slot)] = factoryAmp(slot, kAmpNames[i]);
    }

    GlobalSettings& s = memory.settings;
    // Level 0 dB, USB audio switches left/right, amounts 50/70, CAB SIM on for both
    // outputs, reset not armed, two bytes the editor does not edit.
    s.system = {9, 0, 1, 50, 70, 1, 1, 0, 3, 1};
    s.systemExtra = {1, 2, 3, 4, 5};
    // LOW 100 Hz, MID 1000 Hz, HIGH 8000 Hz, all at 0 dB (gain step 12, sent as 13).
    s.globalEq = {0x64, 0x00, 13, 0xE8, 0x03, 13, 0x40, 0x1F, 13};
    s.fsMode = 0;

    LiveSound defaults;
    defaults.ctrl[0] = 120;  // tempo
    defaults.exp[5] = 0;     // EXP VOL range
    defaults.exp[6] = 100;
    memory.currentPreset = 0;
    memory.live = soundFromRecord(memory.presets[0], defaults);
    return memory;
}

}  // namespace quorvex::pedal
