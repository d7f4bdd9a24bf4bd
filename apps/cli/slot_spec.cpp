#include "slot_spec.h"

#include "preset_record.h"

#include <algorithm>
#include <cctype>

namespace quorvex::cli {
namespace {

// "002B" -> 4: three digits 001..100 and a letter A, B or C.
std::optional<int> slotOfLabel(const std::string& label) {
    if (label.size() != 4 || !std::all_of(label.begin(), label.begin() + 3, [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    const int bank = std::stoi(label.substr(0, 3));
    const int letter = std::toupper(static_cast<unsigned char>(label[3])) - 'A';
    if (bank < 1 || bank > 100 || letter < 0 || letter > 2) return std::nullopt;
    return (bank - 1) * 3 + letter;
}

}  // namespace

std::optional<std::vector<int>> parseSlots(const std::vector<std::string>& specs, std::string& error) {
    std::vector<int> slots;
    const auto add = [&slots](int slot) {
        if (std::find(slots.begin(), slots.end(), slot) == slots.end()) slots.push_back(slot);
    };
    for (const std::string& spec : specs) {
        std::string lower = spec;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        if (lower == "all") {
            for (int slot = 0; slot < kSlotCount; ++slot) add(slot);
            continue;
        }
        const auto dash = spec.find('-');
        const auto first = slotOfLabel(spec.substr(0, dash));
        const auto last = dash == std::string::npos ? first : slotOfLabel(spec.substr(dash + 1));
        if (!first || !last || *last < *first) {
            error = "\"" + spec + "\" is not a slot (such as 002B), a range (such as 001A-010C) or all";
            return std::nullopt;
        }
        for (int slot = *first; slot <= *last; ++slot) add(slot);
    }
    return slots;
}

}  // namespace quorvex::cli
