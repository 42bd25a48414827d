// The natural order of names as the system sorts them for the user's
// language, and its fallback.
#include "platform/name_order_win.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace trevalon {
namespace {

TEST(SystemNameOrder, ReadsDigitsAsNumbersAndSetsCaseAndDiacriticsAside) {
    const SystemNameOrder order;
    std::printf("the system's order is %s\n", order.uses_system() ? "used" : "not used");
    EXPECT_LT(order.compare("Notes 16", "Notes 100"), 0);
    EXPECT_GT(order.compare("Notes 100", "Notes 16"), 0);
    EXPECT_LT(order.compare("Notes 9", "Notes 10"), 0);
    EXPECT_LT(order.compare("\xC3\xA9"
                            "clair",
                            "Eden"),
              0);
    EXPECT_LT(order.compare("apple", "Banana"), 0);
    // Names the system holds equal still come in one order, every time.
    EXPECT_NE(order.compare("Notes", "notes"), 0);
    EXPECT_EQ(order.compare("Notes", "notes"), -order.compare("notes", "Notes"));
    EXPECT_EQ(order.compare("Notes", "Notes"), 0);
    EXPECT_NE(order.compare("", "a"), 0);
}

}  // namespace
}  // namespace trevalon
