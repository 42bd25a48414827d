// The desktop shortcut and clearing the three lists.
#include "commands/list_commands_win.h"

#include <gtest/gtest.h>

#include "platform/file_ops_win.h"
#include "platform/shortcut_win.h"
#include "support/operations_fixture_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

using ListCommands = test::OperationsTest;

TEST_F(ListCommands, TheDesktopShortcutPointsAtTheProgramAndIsAnnouncedOnlyWhenMade) {
    create_desktop_shortcut(app_);
    const std::string link = app_.folders.desktop + text("Program_Name") + ".lnk";
    EXPECT_EQ(read_shortcut_fields(link).target, app_.folders.program_file);
    ASSERT_EQ(messages(), std::vector<std::string>{text("TXT00239")});
    EXPECT_EQ(dialogs_.calls()[0].caption, text("Program_Name"));

    app_.folders.desktop = dir_.str() + "No desktop\\";
    create_desktop_shortcut(app_);
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(ListCommands, ClearingAsksAndOnYesEmptiesTheListAndShowsItAgain) {
    const std::string recent = app_.folders.recent_programs;
    write_file(recent + "a.lnk", "a");
    create_folders(recent + "Kept");
    clear_recent_programs(app_, view_);  // the cautious answer: No
    EXPECT_EQ(messages(), std::vector<std::string>{text("TXT00240")});
    EXPECT_EQ(dialogs_.calls()[0].type,
              static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_TRUE(is_file(recent + "a.lnk"));

    view_.set_list_folder(recent);
    dialogs_.answer_message(IDYES);
    clear_recent_programs(app_, view_);
    EXPECT_FALSE(is_file(recent + "a.lnk"));
    EXPECT_TRUE(is_directory(recent + "Kept"));
    EXPECT_EQ(view_.calls, std::vector<std::string>{"recent programs"});
}

TEST_F(ListCommands, ClearingBookmarksShowsThemAgainOnlyWhenTheyAreShown) {
    write_file(app_.folders.bookmarks + "News.lnk", "n");
    view_.set_list_folder(menu(""));
    dialogs_.answer_message(IDYES);
    clear_bookmarks(app_, view_);
    EXPECT_EQ(messages(), std::vector<std::string>{text("TXT00242")});
    EXPECT_TRUE(files_in(app_.folders.bookmarks).empty());
    EXPECT_TRUE(view_.calls.empty());

    view_.set_list_folder(app_.folders.recent_documents);
    dialogs_.answer_message(IDYES);
    clear_recent_documents(app_, view_);
    EXPECT_EQ(messages().back(), text("TXT00241"));
    EXPECT_EQ(view_.calls, std::vector<std::string>{"recent documents"});
}

}  // namespace
}  // namespace trevalon
