// The folder tree's hit test as arithmetic: a click beside the item's text
// misses, one on its icon hits. The window dispatch tests click the real tree,
// at 96 and at 144 dpi.
#include "window/tree_hit.h"

#include <gtest/gtest.h>

namespace trevalon {
namespace {

TEST(TreeHit, TheTextBoxWidenedToTheLeftCounts) {
    const ItemBox text{100, 40, 160, 58};
    EXPECT_TRUE(tree_click_hits(text, 100, 40, kTreeHitWidening));
    EXPECT_TRUE(tree_click_hits(text, 80, 57, kTreeHitWidening));  // on the icon
    EXPECT_TRUE(tree_click_hits(text, 159, 50, kTreeHitWidening));
    EXPECT_FALSE(tree_click_hits(text, 79, 50, kTreeHitWidening));   // further left
    EXPECT_FALSE(tree_click_hits(text, 160, 50, kTreeHitWidening));  // right of the text
    EXPECT_FALSE(tree_click_hits(text, 120, 39, kTreeHitWidening));  // the item above
    EXPECT_FALSE(tree_click_hits(text, 120, 58, kTreeHitWidening));  // the item below
}

TEST(TreeHit, AnEmptyBoxIsNeverHit) {
    EXPECT_FALSE(tree_click_hits(ItemBox{}, 0, 0, kTreeHitWidening));
}

}  // namespace
}  // namespace trevalon
