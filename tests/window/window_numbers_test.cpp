#include "window/window_numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "window/view_texts.h"

namespace trevalon {
namespace {

std::vector<int> commands_of(std::span<const MenuItem> items) {
    std::vector<int> commands;
    for (const MenuItem& item : items)
        commands.push_back(item.command);
    return commands;
}

TEST(WindowNumbers, ToolbarsCarryTheirCommandsImagesAndSeparators) {
    std::vector<int> upper;
    for (const ToolbarButton& button : kUpperToolbarButtons)
        upper.push_back(button.command);
    EXPECT_EQ(upper, (std::vector<int>{1, 2, 0, 3, 4, 0, 6, 7, 8, 9, 0, 11, 12, 13}));
    for (const ToolbarButton& button : kUpperToolbarButtons) {
        if (!button.separator()) {
            // Images 0-3 on 1-4, 5-8 on 6-9, 10-12 on 11-13.
            EXPECT_EQ(button.image, button.command - 1);
        }
    }
    ASSERT_EQ(kLowerToolbarButtons.size(), 6u);
    for (std::size_t i = 0; i < kLowerToolbarButtons.size(); ++i) {
        EXPECT_EQ(kLowerToolbarButtons[i].command, 15 + static_cast<int>(i));
        EXPECT_EQ(kLowerToolbarButtons[i].image, 20 + static_cast<int>(i));
    }
    EXPECT_EQ(toolbar_tooltip_key(13), "TXT00062");
    EXPECT_EQ(toolbar_tooltip_key(20), "TXT00085");
    EXPECT_EQ(toolbar_tooltip_key(44), "");
}

TEST(WindowNumbers, PopupMenusHoldTheirItemsInOrder) {
    EXPECT_EQ(commands_of(kToolsMenuItems), (std::vector<int>{25, 23, 24, 0, 22, 0, 26, 27, 28}));
    EXPECT_EQ(commands_of(kHelpMenuItems), (std::vector<int>{30, 31, 32, 33, 0, 35, 0, 36}));
    EXPECT_EQ(commands_of(kPowerMenuItems), (std::vector<int>{38, 39, 40, 0, 41, 42, 43}));
    EXPECT_EQ(commands_of(kFolderTreeMenuItems),
              (std::vector<int>{46, 47, 0, 48, 49, 0, 50, 51, 0, 52, 0, 53, 0, 70}));
    EXPECT_EQ(
        commands_of(kFileListMenuItems),
        (std::vector<int>{55, 0,  59, 60, 61, 0, 62, 63, 0, 64, 65, 0, 66, 67, kShowInFolderCommand,
                          0,  68, 0,  69, 0,  70}));
    const auto help = commands_of(find_popup_menu(kHelpMenu)->items);
    EXPECT_EQ(std::count(help.begin(), help.end(), 0), 2);
    EXPECT_EQ(help.size() - 2, 6u);
    EXPECT_EQ(find_popup_menu(22), nullptr);
}

TEST(WindowNumbers, EveryCommandComesFromExactlyOnePlaceButUndoAndReturnFromNone) {
    std::multiset<int> commands;
    for (const ToolbarButton& button : kUpperToolbarButtons)
        commands.insert(button.command);
    for (const ToolbarButton& button : kLowerToolbarButtons)
        commands.insert(button.command);
    for (const PopupMenu& menu : kPopupMenus) {
        for (const MenuItem& item : menu.items)
            commands.insert(item.command);
    }
    commands.erase(0);
    std::set<int> expected;
    for (int c : {1,  2,
                  3,  4,
                  6,  7,
                  8,  9,
                  11, 12,
                  13, 15,
                  16, 17,
                  18, 19,
                  20, 22,
                  23, 24,
                  25, 26,
                  27, 28,
                  30, 31,
                  32, 33,
                  35, 36,
                  38, 39,
                  40, 41,
                  42, 43,
                  46, 47,
                  48, 49,
                  50, 51,
                  52, 53,
                  55, 59,
                  60, 61,
                  62, 63,
                  64, 65,
                  66, 67,
                  68, 69,
                  70, kShowInFolderCommand})
        expected.insert(c);
    EXPECT_EQ(std::set<int>(commands.begin(), commands.end()), expected);
    // Undo ends both context menus.
    EXPECT_EQ(commands.count(kUndoCommand), 2u);
    EXPECT_EQ(commands.size(), expected.size() + 1);
    EXPECT_EQ(commands.count(kReturnKeyCommand), 0u);
}

TEST(ViewTexts, TitlesAndCaptionsAreJoinedAsShown) {
    EXPECT_EQ(joined_text("Trevalon", "My Menu - Top level"), "Trevalon - My Menu - Top level");
    EXPECT_EQ(menu_caption("My Menu", false, "(read-only)"), "My Menu");
    EXPECT_EQ(menu_caption("Windows menu", true, "(read-only)"), "Windows menu (read-only)");
    EXPECT_EQ(search_caption("Search results", "note"), "Search results \"note\"");
}

}  // namespace
}  // namespace trevalon
