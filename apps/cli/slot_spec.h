#pragma once
#include <optional>
#include <string>
#include <vector>

namespace quorvex::cli {

// The slots export names: bank labels such as "002B" (any case), ranges such as
// "001A-010C", or "all", in the order given without repeats. nullopt (and an error
// text) for anything else.
std::optional<std::vector<int>> parseSlots(const std::vector<std::string>& specs, std::string& error);

}  // namespace quorvex::cli
