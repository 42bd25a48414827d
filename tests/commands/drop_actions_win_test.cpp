// What drops onto the tree, the list and the bookmarks button make of files
// and text, in both menus.
#include "commands/drop_actions_win.h"

#include <gtest/gtest.h>

#include "commands/entry_rules.h"
#include "menu/path_text.h"
#include "platform/event.h"
#include "platform/file_ops_win.h"
#include "platform/shortcut_win.h"
#include "support/operations_fixture_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

Event files_drop(int control, std::vector<std::string> files, bool move = false) {
    Event drop;
    drop.kind = EventKind::kDrop;
    drop.control = control;
    drop.dropped_files = std::move(files);
    drop.drop_is_move = move;
    return drop;
}

class DropActions : public test::OperationsTest {
  protected:
    void SetUp() override {
        OperationsTest::SetUp();
        create_folders(menu("Games"));
        create_folders(menu("Tools"));
        view_.show_menu_again();
        view_.calls.clear();
    }
    int item(const std::string& relative) {
        return find_folder_item(app_.folder_table, menu(relative));
    }
    void show_windows_menu() {
        app_.view.menu_mode = std::string(kWindowsMenuMode);
        app_.view.editable = kReadOnlyView;
    }
};

TEST_F(DropActions, AFolderAndAFileDroppedOnTheTreeBecomeLinksInItsCurrentFolder) {
    const std::string tools = dir_.make_dir("Tools");
    const std::string script = dir_.write_file("Tools\\run.cmd", "@echo off");
    drop_on_tree(app_, view_, files_drop(1, {tools, script}), item("Tools\\"));
    EXPECT_EQ(read_shortcut_fields(menu("Tools\\Tools.lnk")).target,
              without_trailing_separator(tools));
    const auto link = read_shortcut_contents(menu("Tools\\run.lnk"));
    ASSERT_TRUE(link);
    EXPECT_EQ(link->working_directory, folder_of(script));
    EXPECT_EQ(view_.calls, (std::vector<std::string>{"open " + menu("Tools\\"), "focus"}));
    EXPECT_EQ(app_.view.editable, kEditableView);
}

TEST_F(DropActions, AMoveDeletesOnlyTheCopiedShortcutsFromInsideTheMenu) {
    const std::string shortcut = menu_file("Games\\a.lnk", "link");
    const std::string document = menu_file("Games\\notes.txt", "text");
    const std::string outside = dir_.write_file("Elsewhere\\b.lnk", "outside");
    view_.set_list_folder(menu("Games\\"));
    drop_on_tree(app_, view_, files_drop(1, {shortcut, document, outside}, true), item("Tools\\"));
    EXPECT_EQ(read_file(menu("Tools\\a.lnk")), "link");
    EXPECT_TRUE(is_file(menu("Tools\\notes.lnk")));
    EXPECT_TRUE(is_file(menu("Tools\\b.lnk")));
    EXPECT_FALSE(is_file(shortcut));
    // The new link still points at the document; the outside file is not ours.
    EXPECT_TRUE(is_file(document));
    EXPECT_TRUE(is_file(outside));
}

TEST_F(DropActions, AMoveOntoTheListedFolderOrOneThatFailedDeletesNothing) {
    const std::string shortcut = menu_file("Games\\a.lnk", "link");
    view_.set_list_folder(menu("Tools\\"));
    drop_on_tree(app_, view_, files_drop(1, {shortcut}, true), item("Tools\\"));
    EXPECT_TRUE(is_file(shortcut));
    EXPECT_TRUE(is_file(menu("Tools\\a.lnk")));

    // Every free name taken: nothing imported, so the source stays.
    write_file(menu("Games\\b.lnk"), "b");
    write_file(menu("Tools\\b.lnk"), "taken");
    for (int n = 1; n <= 99; ++n)
        write_file(menu("Tools\\b (" + std::to_string(n) + ").lnk"), "taken");
    view_.set_list_folder(menu("Games\\"));
    drop_on_tree(app_, view_, files_drop(1, {menu("Games\\b.lnk")}, true), item("Tools\\"));
    EXPECT_EQ(read_file(menu("Games\\b.lnk")), "b");
    EXPECT_EQ(read_file(menu("Tools\\b.lnk")), "taken");
}

TEST_F(DropActions, TheWindowsMenuRefusesTreeAndListDropsButNotTheBookmarksButton) {
    show_windows_menu();
    app_.view.tree_selection = 2;
    const std::string file = dir_.write_file("a.lnk", "a");
    drop_on_tree(app_, view_, files_drop(1, {file}), 0);
    view_.set_list_folder(menu(""));
    drop_on_list(app_, view_, files_drop(3, {file}));
    EXPECT_EQ(messages(), (std::vector<std::string>{text("TXT00243"), text("TXT00243")}));
    EXPECT_EQ(dialogs_.calls()[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(app_.view.tree_selection, -1);
    EXPECT_EQ(view_.calls[0], "select -1");
    EXPECT_FALSE(is_file(menu("a.lnk")));

    view_.calls.clear();
    drop_on_bookmarks_button(app_, view_, files_drop(8, {file}));
    EXPECT_EQ(read_file(app_.folders.bookmarks + "a.lnk"), "a");
    EXPECT_EQ(view_.calls, std::vector<std::string>{"focus"});
    EXPECT_EQ(messages().size(), 2u);
}

TEST_F(DropActions, TheBookmarksButtonShowsTheBookmarksAgainWhenTheyAreListed) {
    const std::string file = dir_.write_file("a.lnk", "a");
    view_.set_list_folder(app_.folders.bookmarks);
    drop_on_bookmarks_button(app_, view_, files_drop(8, {file, file}));
    EXPECT_TRUE(is_file(app_.folders.bookmarks + "a (1).lnk"));
    EXPECT_EQ(view_.calls, (std::vector<std::string>{"bookmarks", "focus"}));
}

TEST_F(DropActions, TheListImportsFilesButNotAnEmptyInternetShortcut) {
    const std::string empty = dir_.write_file("Empty.url", "");
    const std::string page =
        dir_.write_file("Page.url", "[InternetShortcut]\r\nURL=https://a/\r\n");
    view_.set_list_folder(menu("Games\\"));
    drop_on_list(app_, view_, files_drop(3, {empty, page}));
    EXPECT_FALSE(is_file(menu("Games\\Empty.url")));
    // Copied, then converted into a link by the refresh.
    EXPECT_TRUE(is_file(menu("Games\\Page.lnk")));
    // The dropped entry selected, found by the name it had when it came.
    EXPECT_EQ(view_.calls, (std::vector<std::string>{"refresh", "focus",
                                                     "select entry " + menu("Games\\Page.url")}));
}

TEST_F(DropActions, TextOnTheListBecomesABookmarkThereAndTheListTakesTheFocus) {
    app_.settings.allow_internet_access = 0;  // no network in this test
    view_.set_list_folder(menu("Games\\"));
    Event drop;
    drop.kind = EventKind::kDrop;
    drop.control = 3;
    drop.dropped_text = "https://news.example/today";
    drop_on_list(app_, view_, drop);
    const std::vector<std::string> made = files_in(menu("Games\\"));
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(bookmark_address(read_shortcut_fields(menu("Games\\") + made[0])),
              "https://news.example/today");
    // As after a file drop: the list shows the new entry selected, with the focus.
    EXPECT_EQ(view_.calls, (std::vector<std::string>{"refresh", "focus",
                                                     "select entry " + menu("Games\\") + made[0]}));
}

}  // namespace
}  // namespace trevalon
