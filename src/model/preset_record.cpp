#include "preset_record.h"

#include <cstdio>

namespace quorvex {
namespace {

// Where a block element lives in the record. Width 2 fields are little-endian.
struct Field {
    int element;
    std::size_t offset;
    int width;
};

struct ModuleLayout {
    std::size_t base;  // model at base, on/off at base + 1
    std::vector<Field> fields;
};

// Elements 2.. of a module stored one byte each from `first` on.
std::vector<Field> consecutive(std::size_t first, int lastElement) {
    std::vector<Field> fields;
    for (int e = 2; e <= lastElement; ++e) fields.push_back({e, first + static_cast<std::size_t>(e - 2), 1});
    return fields;
}

const std::array<ModuleLayout, kModuleCount>& layouts() {
    static const std::array<ModuleLayout, kModuleCount> table = [] {
        std::array<ModuleLayout, kModuleCount> t;
        t[0] = {28, consecutive(30, 5)};
        t[1] = {36, consecutive(38, 4)};
        t[2] = {44, consecutive(46, 7)};
        t[3] = {52, consecutive(54, 5)};
        t[4] = {60, consecutive(62, 4)};
        t[5] = {68, consecutive(70, 7)};
        t[5].fields.insert(t[5].fields.end(), {{8, 344, 2}, {9, 346, 2}, {10, 348, 2}});
        t[6] = {76, consecutive(78, 5)};
        t[6].fields.push_back({6, 354, 2});
        t[7] = {84, {{2, 86, 1}, {3, 87, 1}, {4, 350, 2}, {5, 89, 1}, {6, 90, 1}, {7, 352, 2}, {8, 91, 1}}};
        t[8] = {92, consecutive(94, 5)};
        return t;
    }();
    return table;
}

std::uint32_t readField(const PresetRecord& rec, const Field& f) {
    if (f.width == 1) return rec[f.offset];
    return static_cast<std::uint32_t>(rec[f.offset] | rec[f.offset + 1] << 8);
}

void writeField(PresetRecord& rec, const Field& f, std::uint32_t value) {
    rec[f.offset] = static_cast<std::uint8_t>(value & 0xFF);
    if (f.width == 2) rec[f.offset + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

std::vector<std::uint32_t> moduleValuesFromRecord(const PresetRecord& rec, Module m) {
    const auto& layout = layouts()[static_cast<int>(m)];
    std::vector<std::uint32_t> values(static_cast<std::size_t>(kModuleEventValues[static_cast<int>(m)]), 0);
    values[0] = rec[layout.base + 1];  // on/off
    values[1] = rec[layout.base];      // model
    for (const Field& f : layout.fields) values[static_cast<std::size_t>(f.element)] = readField(rec, f);
    return values;
}

void storeModuleValuesInRecord(PresetRecord& rec, Module m, std::span<const std::uint32_t> values) {
    const auto& layout = layouts()[static_cast<int>(m)];
    rec[layout.base] = static_cast<std::uint8_t>(values[1]);
    rec[layout.base + 1] = static_cast<std::uint8_t>(values[0]);
    for (const Field& f : layout.fields) {
        if (static_cast<std::size_t>(f.element) < values.size()) writeField(rec, f, values[static_cast<std::size_t>(f.element)]);
    }
}

std::array<std::uint32_t, 18> chainFromRecord(const PresetRecord& rec) {
    std::array<std::uint32_t, 18> chain{};
    for (std::size_t i = 0; i < 9; ++i) {
        chain[i] = rec[record::kChain + i];
        chain[9 + i] = rec[record::kChainFlags + i];
    }
    return chain;
}

void storeChainInRecord(PresetRecord& rec, std::span<const std::uint32_t, 18> chain) {
    for (std::size_t i = 0; i < 9; ++i) {
        rec[record::kChain + i] = static_cast<std::uint8_t>(chain[i]);
        rec[record::kChainFlags + i] = static_cast<std::uint8_t>(chain[9 + i]);
    }
}

std::array<std::uint32_t, 7> expFromRecord(const PresetRecord& rec) {
    std::array<std::uint32_t, 7> exp{};
    exp[0] = rec[record::kExpVolume];
    for (std::size_t i = 0; i < 4; ++i) exp[1 + i] = rec[record::kExpModes + i];
    exp[5] = exp[6] = 200;
    return exp;
}

void storeExpInRecord(PresetRecord& rec, std::span<const std::uint32_t, 7> exp) {
    rec[record::kExpVolume] = static_cast<std::uint8_t>(exp[0]);
    for (std::size_t i = 0; i < 4; ++i) rec[record::kExpModes + i] = static_cast<std::uint8_t>(exp[1 + i]);
}

std::array<std::uint32_t, 11> ctrlFromRecord(const PresetRecord& rec) {
    std::array<std::uint32_t, 11> ctrl{};
    for (std::size_t i = 0; i < 10; ++i) ctrl[1 + i] = rec[record::kCtrl + i];
    return ctrl;
}

void storeCtrlInRecord(PresetRecord& rec, std::span<const std::uint32_t, 11> ctrl) {
    for (std::size_t i = 0; i < 10; ++i) rec[record::kCtrl + i] = static_cast<std::uint8_t>(ctrl[1 + i]);
}

std::string nameText(const std::uint8_t* name16) {
    std::size_t n = 0;
    while (n < kNameSize && name16[n] != 0) ++n;
    return std::string(reinterpret_cast<const char*>(name16), n);
}

std::string recordName(const PresetRecord& rec) { return nameText(rec.data() + record::kName); }

std::string slotLabel(int slot) {
    char text[16];
    std::snprintf(text, sizeof text, "%03d%c", slot / 3 + 1, "ABC"[slot % 3]);
    return text;
}

std::string presetDisplayText(int slot, const std::string& name) { return slotLabel(slot) + ":" + name; }

}  // namespace quorvex
