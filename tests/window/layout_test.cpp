#include "window/layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace trevalon {
namespace {

TEST(Layout, TheFullFormHasEveryNumberOfTheWindow) {
    const MainLayout layout = main_layout(WindowForm::full);
    EXPECT_EQ(layout.inner, (Size{877, 595}));
    EXPECT_EQ(layout.upper_toolbar, (Point{3, 25}));
    EXPECT_EQ(layout.lower_toolbar, (Point{3, 440}));
    EXPECT_EQ(layout.tree_caption, (Rect{30, 5, 350, 20}));
    EXPECT_EQ(layout.list_caption, (Rect{382, 5, 490, 20}));
    EXPECT_EQ(layout.tree_container, (Rect{30, 25, 350, 545}));
    EXPECT_EQ(layout.tree, (Rect{-2, -2, 354, 549}));
    EXPECT_EQ(layout.list_container, (Rect{382, 25, 490, 545}));
    EXPECT_EQ(layout.list, (Rect{4, 4, 482, 537}));
    EXPECT_EQ(layout.size_button, (Rect{35, 573, 16, 16}));
    EXPECT_EQ(layout.back_button, (Rect{340, 573, 16, 16}));
    EXPECT_EQ(layout.bookmarks_button, (Rect{387, 573, 16, 16}));
    EXPECT_EQ(layout.search_button, (Rect{422, 573, 16, 16}));
    EXPECT_EQ(layout.search_field, (Rect{440, 573, 432, 16}));
    EXPECT_EQ(layout.list_column_width, 490);
}

TEST(Layout, TheSmallerFormGivesUpTheBandBelowThePanesOnly) {
    const MainLayout full = main_layout(WindowForm::full);
    const MainLayout small = main_layout(WindowForm::smaller);
    EXPECT_EQ(small.inner, (Size{877, 485}));
    EXPECT_EQ(small.lower_toolbar, (Point{3, 330}));
    EXPECT_EQ(small.upper_toolbar, full.upper_toolbar);
    EXPECT_EQ(small.tree_caption, full.tree_caption);
    EXPECT_EQ(small.list_caption, full.list_caption);
    for (auto member : {&MainLayout::tree_container, &MainLayout::tree, &MainLayout::list_container,
                        &MainLayout::list}) {
        Rect expected = full.*member;
        expected.height -= kBandHeight;
        EXPECT_EQ(small.*member, expected);
    }
    for (auto member :
         {&MainLayout::size_button, &MainLayout::back_button, &MainLayout::bookmarks_button,
          &MainLayout::search_button, &MainLayout::search_field}) {
        Rect expected = full.*member;
        expected.y -= kBandHeight;
        EXPECT_EQ(small.*member, expected);
    }
}

TEST(Layout, EverythingFitsInsideTheWindowAndThePanesDoNotOverlap) {
    for (const WindowForm form : {WindowForm::full, WindowForm::smaller}) {
        for (const int dpi : {96, 120, 144, 168, 192}) {
            const MainLayout layout = main_layout(form, dpi);
            for (const Rect& rect :
                 {layout.tree_caption, layout.list_caption, layout.tree_container,
                  layout.list_container, layout.size_button, layout.back_button,
                  layout.bookmarks_button, layout.search_button, layout.search_field}) {
                EXPECT_GE(rect.x, 0) << dpi;
                EXPECT_LE(rect.right(), layout.inner.width) << dpi;
                EXPECT_LE(rect.bottom(), layout.inner.height) << dpi;
            }
            EXPECT_LE(layout.tree_container.right(), layout.list_container.x) << dpi;
            EXPECT_LE(layout.tree_container.bottom(), layout.size_button.y) << dpi;
            EXPECT_LE(layout.search_button.right(), layout.search_field.x) << dpi;
            // The tree's border lies outside its container on every side.
            EXPECT_LT(layout.tree.x, 0);
            EXPECT_EQ(layout.tree.right() - layout.tree_container.width, -layout.tree.x);
            EXPECT_EQ(layout.tree.bottom() - layout.tree_container.height, -layout.tree.y);
        }
    }
}

TEST(Layout, ScalingRoundsOnceAndKeepsNeighboursFlush) {
    EXPECT_EQ(scale_length(16, 96), 16);
    EXPECT_EQ(scale_length(16, 144), 24);
    EXPECT_EQ(scale_length(5, 144), 8);  // 7.5 rounds up
    EXPECT_EQ(scale_length(-2, 144), -3);
    EXPECT_EQ(scale_length(877, 120), 1096);  // 1096.25
    EXPECT_EQ(scale_layout(main_layout(WindowForm::full), 96), main_layout(WindowForm::full));

    const MainLayout big = main_layout(WindowForm::full, 144);
    EXPECT_EQ(big.inner, (Size{1316, 893}));  // 1315.5 and 892.5 round up
    EXPECT_EQ(big.size_button, (Rect{53, 860, 24, 24}));
    EXPECT_EQ(big.image_side, 24);
    // The tree pane, gap and list pane stay adjacent: 30 + 350 = 380, + 2 = 382.
    EXPECT_EQ(big.tree_caption.right(), scale_length(380, 144));
    EXPECT_EQ(big.list_caption.x, scale_length(382, 144));
    EXPECT_EQ(big.tree_container.x, big.tree_caption.x);
    EXPECT_EQ(big.tree,
              (Rect{-3, -3, big.tree_container.width + 6, big.tree_container.height + 6}));
    EXPECT_EQ(big.list,
              (Rect{6, 6, big.list_container.width - 12, big.list_container.height - 12}));
}

}  // namespace
}  // namespace trevalon
