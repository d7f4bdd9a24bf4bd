#include "yj_object_tool.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvex {
namespace {

std::string named(std::string_view text, int* kept = nullptr) {
    std::array<std::uint8_t, 16> out{};
    out.fill(0xEE);
    const int n = YJObjectTool::ChangePresetName(text, out);
    if (kept) *kept = n;
    for (std::size_t i = static_cast<std::size_t>(n); i < out.size(); ++i) EXPECT_EQ(out[i], 0) << "byte " << i;
    return std::string(out.begin(), out.begin() + n);
}

TEST(PresetNaming, UpperCasesAndKeepsOnlyTheAllowedSet) {
    EXPECT_EQ(named("Clean 1"), "CLEAN 1");
    EXPECT_EQ(named("Lead-2!"), "LEAD2");
    EXPECT_EQ(named("rock"), "ROCK");
    int kept = -1;
    EXPECT_EQ(named("!?-.,", &kept), "");
    EXPECT_EQ(kept, 0);
    EXPECT_EQ(named("", &kept), "");
    EXPECT_EQ(named("Caf\xC3\xA9 blues"), "CAF BLUES") << "letters outside A..Z are dropped";
}

TEST(PresetNaming, UpperCasesTheWholeOfUnicodeBeforeFiltering) {
    EXPECT_EQ(named("Stra\xC3\x9F" "e"), "STRASSE") << "sharp s becomes SS";
    EXPECT_EQ(named("\xEF\xAC\x81ve"), "FIVE") << "the fi ligature becomes FI";
    EXPECT_EQ(named("gro\xC3\x9F" "artig gro\xC3\x9F"), "GROSSARTIG GROS") << "the limit counts the kept letters";
}

TEST(PresetNaming, KeepsAtMostFifteenAndAlwaysTerminates) {
    int kept = 0;
    EXPECT_EQ(named("abcdefghijklmnopqrst", &kept), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(kept, 15);
    EXPECT_EQ(named("--a-b-c-d-e-f-g-h-i-j-k-l-m-n-o-p-q"), "ABCDEFGHIJKLMNO");
}

}  // namespace
}  // namespace quorvex
