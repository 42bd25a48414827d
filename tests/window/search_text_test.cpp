#include "window/search_text.h"

#include <gtest/gtest.h>

namespace trevalon {
namespace {

TEST(SearchText, BlanksAtBothEndsGoAndThoseInsideStay) {
    EXPECT_EQ(trimmed_search_text("  chess  "), "chess");
    EXPECT_EQ(trimmed_search_text("\tword pad\r\n"), "word pad");
    EXPECT_EQ(trimmed_search_text("x"), "x");
    // Nothing but blanks is no search at all.
    EXPECT_EQ(trimmed_search_text(" \t "), "");
    EXPECT_EQ(trimmed_search_text(""), "");
    // Non-ASCII text is kept byte for byte.
    EXPECT_EQ(trimmed_search_text(" \xC3\xBC"
                                  "ber "),
              "\xC3\xBC"
              "ber");
}

}  // namespace
}  // namespace trevalon
