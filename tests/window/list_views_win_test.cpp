// What the views show, on the real window over fixture folders: the own menu
// with its tree, titles and captions; the Windows menu rebuilt on each
// showing; the three lists; search results; the tree commands.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/handles_win.h"
#include "platform/shortcut_win.h"
#include "support/test_links_win.h"
#include "window/list_views_win.h"
#include "window/window_fixture_win.h"

namespace trevalon {
namespace {

using Views = test::WindowTest;

std::string tree_outline(const FolderTree& tree) {
    std::string outline;
    for (int i = 0; i < tree.count(); ++i) {
        outline += tree.items().item_text(i) + "@" + std::to_string(tree.items().item_depth(i)) +
                   "#" + std::to_string(tree.items().item_data(i)) + ";";
    }
    return outline;
}

TEST_F(Views, TheOwnMenuShowsItsTreeTitlesCaptionsAndCleanedRows) {
    make_fixture_menu();
    write_file(app_.folders.own_menu + "Page.url",
               "[InternetShortcut]\r\nURL=https://example.com/\r\n");
    const std::string caption = text("TXT00206");
    show_menu(app_, app_.folders.own_menu, caption);

    EXPECT_EQ(tree_outline(app_.window.tree), "My Menu - Top level@0#0;A@0#1;A1@1#2;B@0#3;");
    ASSERT_EQ(app_.folder_table.count(), 4);
    EXPECT_EQ(app_.folder_table.paths[2], app_.folders.own_menu + "A\\A1");
    EXPECT_EQ(app_.window.tree.selected(), 0);
    EXPECT_EQ(window_text(app_.main_window), "Trevalon - My Menu - Top level");
    EXPECT_EQ(window_text(app_.window.tree_caption), "My Menu");
    EXPECT_EQ(window_text(app_.window.list_caption), "My Menu - Top level");

    // Thumbs.db, desktop.ini, Desktop.lnk and setup.INI are never shown; the
    // internet shortcut became a link; names lose their extension.
    EXPECT_EQ(list_rows(), (std::vector<std::string>{"Editor", "Notes", "Page"}));
    EXPECT_EQ(app_.entry_names.names,
              (std::vector<std::string>{"Editor.lnk", "Notes.txt", "Page.lnk"}));
    EXPECT_FALSE(is_file(app_.folders.own_menu + "Page.url"));
    EXPECT_EQ(app_.window.list.text(), app_.folders.own_menu);

    // Showing it again rebuilds the tree rather than adding to it.
    show_menu(app_, app_.folders.own_menu, caption);
    EXPECT_EQ(app_.window.tree.count(), 4);
    EXPECT_EQ(app_.folder_table.count(), 4);
}

TEST_F(Views, AMenuWithoutSubfoldersIsOneItem) {
    show_menu(app_, app_.folders.own_menu, "My Menu");
    EXPECT_EQ(tree_outline(app_.window.tree), "My Menu - Top level@0#0;");
    EXPECT_EQ(app_.folder_table.count(), 1);
    EXPECT_TRUE(list_rows().empty());
}

class WindowsMenu : public test::WindowTest {
  protected:
    void SetUp() override {
        test::WindowTest::SetUp();
        app_.view.menu_mode = kWindowsMenuMode;
        com_ = std::make_unique<ComInit>();
        const ProgramFolders& f = app_.folders;
        ASSERT_TRUE(test::make_test_link(f.common_programs + "Accessories\\Calculator.lnk",
                                         "C:\\windows\\system32\\calc.exe"));
        ASSERT_TRUE(test::make_test_link(f.common_programs + "Shared.lnk",
                                         "C:\\windows\\system32\\calc.exe"));
        ASSERT_TRUE(
            test::make_test_link(f.user_programs + "Shared.lnk", "C:\\windows\\notepad.exe"));
        ASSERT_TRUE(test::make_test_link(f.user_programs + "Gone.lnk", "C:\\windows\\notepad.exe"));
        create_folders(f.user_programs + "Empty");
        // Start menus hold read-only files; the copies must stay removable.
        SetFileAttributesA((f.common_programs + "Shared.lnk").c_str(), FILE_ATTRIBUTE_READONLY);
    }
    void TearDown() override {
        SetFileAttributesA((app_.folders.common_programs + "Shared.lnk").c_str(),
                           FILE_ATTRIBUTE_NORMAL);
        com_.reset();
        test::WindowTest::TearDown();
    }

    std::unique_ptr<ComInit> com_;
};

TEST_F(WindowsMenu, IsAFreshMergeWhereTheUsersCopyWins) {
    const std::string caption = text("TXT00205");
    write_file(app_.folders.windows_menu + "Stale.lnk", "x");
    show_menu(app_, app_.folders.windows_menu, caption);

    EXPECT_EQ(tree_outline(app_.window.tree),
              "Windows menu - Top level@0#0;Accessories@0#1;Empty@0#2;");
    EXPECT_EQ(window_text(app_.window.tree_caption), "Windows menu (read-only)");
    EXPECT_EQ(window_text(app_.main_window), "Trevalon - Windows menu - Top level");
    EXPECT_EQ(list_rows(), (std::vector<std::string>{"Gone", "Shared"}));
    EXPECT_EQ(read_file(app_.folders.windows_menu + "Shared.lnk"),
              read_file(app_.folders.user_programs + "Shared.lnk"));
    EXPECT_FALSE(GetFileAttributesA((app_.folders.windows_menu + "Shared.lnk").c_str()) &
                 FILE_ATTRIBUTE_READONLY);

    // A shortcut deleted from the user's programs is gone at the next showing.
    ASSERT_TRUE(delete_file(app_.folders.user_programs + "Gone.lnk"));
    show_menu(app_, app_.folders.windows_menu, caption);
    EXPECT_EQ(list_rows(), (std::vector<std::string>{"Shared"}));
    EXPECT_FALSE(is_file(app_.folders.windows_menu + "Gone.lnk"));
}

TEST_F(WindowsMenu, ADamagedFolderNameIsNeitherEmptiedNorFilled) {
    // A Windows-menu folder outside the program's folders (a damaged name)
    // is shown as it is: nothing of the user's is deleted, nothing copied in.
    const std::string outside = with_backslash(dir_.make_dir("Users Folder"));
    write_file(outside + "Keep.txt", "x");
    app_.folders.windows_menu = outside;
    show_menu(app_, outside, text("TXT00205"));
    EXPECT_TRUE(is_file(outside + "Keep.txt"));
    EXPECT_FALSE(is_file(outside + "Shared.lnk"));
}

TEST_F(Views, TheThreeListsShowTheirFoldersUnderTheirTitles) {
    make_fixture_menu();
    show_menu(app_, app_.folders.own_menu, "My Menu");
    write_file(app_.folders.recent_programs + "Editor.lnk", "x");
    write_file(app_.folders.bookmarks + "News.lnk", "x");
    write_file(app_.folders.recent + "Letter.lnk", "x");
    create_folders(app_.folders.recent + "Sub");
    write_file(app_.folders.recent + "Sub\\Deeper.lnk", "x");
    create_folders(app_.folders.recent_documents);
    write_file(app_.folders.recent_documents + "Old.lnk", "x");

    show_recent_programs(app_);
    EXPECT_EQ(list_rows(), (std::vector<std::string>{"Editor"}));
    EXPECT_EQ(window_text(app_.main_window), "Trevalon - Recent programs");
    EXPECT_EQ(window_text(app_.window.list_caption), "Recent programs");
    // The tree is left as it is.
    EXPECT_EQ(app_.window.tree.count(), 4);

    show_recent_documents(app_);
    EXPECT_EQ(list_rows(), (std::vector<std::string>{"Letter"}));
    EXPECT_EQ(window_text(app_.main_window), "Trevalon - Recent documents");
    EXPECT_FALSE(is_file(app_.folders.recent_documents + "Old.lnk"));
    EXPECT_FALSE(is_directory(app_.folders.recent_documents + "Sub"));
    EXPECT_TRUE(is_file(app_.folders.recent + "Letter.lnk"));

    show_bookmarks(app_);
    EXPECT_EQ(list_rows(), (std::vector<std::string>{"News"}));
    EXPECT_EQ(window_text(app_.main_window), "Trevalon - Bookmarks");
    EXPECT_EQ(window_text(app_.window.list_caption), "Bookmarks");
    EXPECT_EQ(app_.window.list.text(), app_.folders.bookmarks);
}

TEST_F(Views, SearchCoversFourRootsAndTheRecentFolderOnlyWhenAsked) {
    make_fixture_menu();
    create_folders(app_.folders.own_menu + "Zoo");
    write_file(app_.folders.own_menu + "Zoo\\Notes.txt", "in Zoo");
    create_folders(app_.folders.common_programs + "Tools");
    write_file(app_.folders.common_programs + "Tools\\Notepad.lnk", "x");
    write_file(app_.folders.user_programs + "Other.lnk", "x");
    write_file(app_.folders.recent + "Notes from the meeting.lnk", "x");
    write_file(app_.folders.recent_search + "Earlier.lnk", "x");

    app_.settings.search_recent_documents = 0;
    show_search_results(app_, app_.folders.own_menu, "note");
    EXPECT_EQ(list_rows(), (std::vector<std::string>{"Notepad", "Notes"}));
    // Of the two Notes.txt the one found later (in Zoo, after the menu's own
    // files) stays.
    EXPECT_EQ(read_file(app_.folders.recent_search + "Notes.txt"), "in Zoo");
    EXPECT_FALSE(is_file(app_.folders.recent_search + "Earlier.lnk"));
    EXPECT_EQ(window_text(app_.main_window), "Trevalon - Search results");
    EXPECT_EQ(window_text(app_.window.list_caption), "Search results \"note\"");

    app_.settings.search_recent_documents = 1;
    show_search_results(app_, app_.folders.own_menu, "NOTE");
    EXPECT_EQ(list_rows(),
              (std::vector<std::string>{"Notepad", "Notes from the meeting", "Notes"}));
}

TEST_F(Views, ExpandKeepsTheSelectionAndCollapseOpensTheSelectedFolder) {
    make_fixture_menu();
    show_menu(app_, app_.folders.own_menu, "My Menu");
    FolderTree& tree = app_.window.tree;
    tree.select(1);  // A
    expand_folder_tree(app_);
    EXPECT_EQ(tree.selected(), 1);
    auto expanded = [&](int position) {
        return (SendMessageW(tree.window(), TVM_GETITEMSTATE,
                             reinterpret_cast<WPARAM>(tree.item_handle(position)), TVIS_EXPANDED) &
                TVIS_EXPANDED) != 0;
    };
    EXPECT_TRUE(expanded(1));
    // Expanding touches neither the list nor the titles.
    EXPECT_EQ(app_.window.list.text(), app_.folders.own_menu);
    EXPECT_EQ(window_text(app_.main_window), "Trevalon - My Menu - Top level");

    collapse_folder_tree(app_);
    EXPECT_FALSE(expanded(1));
    EXPECT_EQ(tree.selected(), 1);
    EXPECT_EQ(app_.window.list.text(), app_.folders.own_menu + "A\\");
    EXPECT_EQ(list_rows(), (std::vector<std::string>{"Inside"}));
    EXPECT_EQ(window_text(app_.main_window), "Trevalon - A");
    EXPECT_EQ(window_text(app_.window.list_caption), "A");

    // Without a selection only the tree changes.
    expand_folder_tree(app_);
    tree.select(-1);
    ASSERT_EQ(tree.selected(), -1);
    collapse_folder_tree(app_);
    EXPECT_FALSE(expanded(1));
    EXPECT_EQ(app_.window.list.text(), app_.folders.own_menu + "A\\");
    EXPECT_EQ(window_text(app_.main_window), "Trevalon - A");
}

TEST_F(Views, TheListIsASnapshotUntilTheProgramSetsItsTextAgain) {
    make_fixture_menu();
    show_menu(app_, app_.folders.own_menu, "My Menu");
    write_file(app_.folders.own_menu + "Dropped.lnk", "x");
    test::wait_until([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_EQ(list_rows(), (std::vector<std::string>{"Editor", "Notes"}));
    open_folder_in_list(app_, app_.folders.own_menu);
    EXPECT_EQ(list_rows(), (std::vector<std::string>{"Dropped", "Editor", "Notes"}));
}

}  // namespace
}  // namespace trevalon
