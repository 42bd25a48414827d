// Copy patterns of the seeding rows and the folder copies ("*.lnk", "*.*").
#include "menu/path_text.h"

#include <gtest/gtest.h>

namespace trevalon {
namespace {

TEST(PathText, PatternsMatchTheExtensionInAnyCase) {
    EXPECT_TRUE(matches_pattern("Calc.lnk", "*.lnk"));
    EXPECT_TRUE(matches_pattern("CALC.LNK", "*.lnk"));
    EXPECT_FALSE(matches_pattern("Calc.lnk.txt", "*.lnk"));
    EXPECT_FALSE(matches_pattern("lnk", "*.lnk"));
    EXPECT_TRUE(matches_pattern("Site.url", "*.url"));
    EXPECT_TRUE(matches_pattern("anything", "*.*"));
}

}  // namespace
}  // namespace trevalon
