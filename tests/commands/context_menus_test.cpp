// Which items of the folder-tree and file-list context menus may be chosen,
// for every situation the menus open in.
#include "commands/context_menus.h"

#include <gtest/gtest.h>

#include <set>

namespace trevalon {
namespace {

// Every item of the menu is compared, so an item enabled by mistake fails too.
template <typename Items>
void expect_enabled(const MenuItemStates& states, const Items& items, std::set<int> expected) {
    for (int command : items) {
        if (command == 0)
            continue;
        EXPECT_EQ(states.enabled(command), expected.count(command) > 0) << "command " << command;
    }
}

void expect_tree(TreeMenuInput input, std::set<int> expected) {
    expect_enabled(tree_menu_states(input), kTreeMenuItems, std::move(expected));
}

void expect_list(ListMenuInput input, std::set<int> expected) {
    expect_enabled(list_menu_states(input), kListMenuItems, std::move(expected));
}

TEST(TreeMenu, EmptySpaceOffersOnlyNewFolderRefreshAndCancelInTheOwnMenu) {
    expect_tree({.item_hit = false, .item = -1, .own_menu = true, .editable = true}, {46, 52, 53});
    expect_tree({.item_hit = false, .item = -1, .own_menu = false, .editable = false}, {52, 53});
}

TEST(TreeMenu, OnEmptySpaceANewFolderNeedsAViewThatMayBeChangedAndTheOwnMenu) {
    // Recent documents or search results shown beside the own menu.
    expect_tree({.item_hit = false, .item = -1, .own_menu = true, .editable = false}, {52, 53});
    // Recent programs or bookmarks shown beside the Windows menu.
    expect_tree({.item_hit = false, .item = -1, .own_menu = false, .editable = true}, {52, 53});
}

TEST(TreeMenu, AnItemOfTheOwnMenuMayBeChangedUnlessItIsTheRoot) {
    expect_tree({.item_hit = true, .item = 3, .own_menu = true, .editable = true},
                {46, 47, 48, 49, 50, 51, 52, 53});
    expect_tree({.item_hit = true, .item = 0, .own_menu = true, .editable = true},
                {46, 47, 50, 51, 52, 53});
}

TEST(TreeMenu, TheWindowsMenuOffersOnlyInformationPropertiesRefreshAndCancel) {
    expect_tree({.item_hit = true, .item = 3, .own_menu = false}, {50, 51, 52, 53});
    expect_tree({.item_hit = true, .item = 0, .own_menu = false}, {50, 51, 52, 53});
}

TEST(ListMenu, WithoutAnEntryNewShortcutAndPasteFollowTheViewAndTheClipboard) {
    expect_list({.has_entry = false, .editable = true, .clipboard_files = 0}, {55, 68, 69});
    expect_list({.has_entry = false, .editable = true, .clipboard_files = 1}, {55, 61, 68, 69});
    expect_list({.has_entry = false, .editable = true, .clipboard_files = 6}, {55, 61, 68, 69});
    expect_list({.has_entry = false, .editable = false, .clipboard_files = 3}, {68, 69});
    expect_list({.has_entry = false, .editable = false, .clipboard_files = 0}, {68, 69});
    // A program flag left over from an earlier entry changes nothing.
    expect_list({.has_entry = false, .editable = false, .clipboard_files = 0, .program = true},
                {68, 69});
}

TEST(ListMenu, AnEntryMayBeCutDeletedAndRenamedOnlyInAnEditableView) {
    expect_list({.has_entry = true, .editable = true, .clipboard_files = 2},
                {59, 60, 62, 63, 64, 66, 67, 68, 69});
    expect_list({.has_entry = true, .editable = false, .clipboard_files = 2},
                {59, 64, 66, 67, 68, 69});
}

TEST(ListMenu, PinToTaskbarNeedsAProgram) {
    expect_list({.has_entry = true, .editable = true, .clipboard_files = 0, .program = true},
                {59, 60, 62, 63, 64, 65, 66, 67, 68, 69});
    expect_list({.has_entry = true, .editable = false, .clipboard_files = 0, .program = true},
                {59, 64, 65, 66, 67, 68, 69});
}

TEST(UndoItem, EndsBothMenusAndIsOfferedWheneverThereIsAnEditToTakeBack) {
    EXPECT_EQ(kTreeMenuItems.back(), kUndoCommand);
    EXPECT_EQ(kListMenuItems.back(), kUndoCommand);
    // Even where nothing may be changed: the edit was made elsewhere.
    expect_tree({.item_hit = false, .item = -1, .own_menu = false, .can_undo = true}, {52, 53, 70});
    expect_tree({.item_hit = true, .item = 3, .own_menu = true, .can_undo = true},
                {46, 47, 48, 49, 50, 51, 52, 53, 70});
    expect_list({.has_entry = false, .editable = false, .can_undo = true}, {68, 69, 70});
    expect_list({.has_entry = true, .editable = true, .can_undo = true},
                {59, 60, 62, 63, 64, 66, 67, 68, 69, 70});
}

TEST(MenuItemStates, CommandsOutsideTheMenusAreNeverEnabled) {
    MenuItemStates states;
    states.set(500, true);
    states.set(-1, true);
    EXPECT_FALSE(states.enabled(500));
    EXPECT_FALSE(states.enabled(-1));
}

}  // namespace
}  // namespace trevalon
