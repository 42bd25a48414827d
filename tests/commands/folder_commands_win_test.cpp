// New, rename, delete and information of menu folders, on real folders with
// scripted answers.
#include "commands/folder_commands_win.h"

#include <gtest/gtest.h>

#include "commands/entry_rules.h"
#include "menu/directory_listing.h"
#include "menu/path_text.h"
#include "platform/file_ops_win.h"
#include "support/operations_fixture_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

class FolderCommands : public test::OperationsTest {
  protected:
    void SetUp() override {
        OperationsTest::SetUp();
        create_folders(menu("Games\\Cards"));
        create_folders(menu("Tools"));
        view_.show_menu_again();
        view_.calls.clear();
    }
    SelectedFolder folder(const std::string& relative, const std::string& display) {
        return {menu(relative), display};
    }
};

TEST_F(FolderCommands, NewFolderAtTheTopIsCreatedSelectedAndListed) {
    dialogs_.answer_input("Office: work");
    new_folder(app_, view_, NewFolderPlace::menu_root, {});
    const std::string created = menu("Office work\\");
    EXPECT_TRUE(is_directory(created));
    ASSERT_EQ(dialogs_.calls().size(), 1u);
    EXPECT_EQ(dialogs_.calls()[0].caption, text("TXT00100"));
    EXPECT_EQ(dialogs_.calls()[0].text, text("TXT00220"));
    EXPECT_EQ(dialogs_.calls()[0].default_text, "");
    const int item = find_folder_item(app_.folder_table, created);
    ASSERT_GE(item, 1);
    EXPECT_EQ(view_.calls, (std::vector<std::string>{"menu", "select " + std::to_string(item),
                                                     "open " + created}));
}

TEST_F(FolderCommands, ANameOfAnExistingTopFolderIsRefusedAndThatFolderSelected) {
    dialogs_.answer_input("games");
    new_folder(app_, view_, NewFolderPlace::menu_root, {});
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], text("TXT00221") + "\n\n" + menu("games\\"));
    EXPECT_EQ(dialogs_.calls()[1].caption, text("TXT00100"));
    EXPECT_EQ(dialogs_.calls()[1].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(view_.calls, (std::vector<std::string>{"select 1", "open " + menu("games\\")}));
}

TEST_F(FolderCommands, TheMenuFolderItselfNeverClashes) {
    // Item 0 is the menu folder: a folder table whose item 0 is the very path
    // asked for still lets the folder be made.
    const std::string wanted = menu("Games\\Cards\\New\\");
    app_.folder_table.paths[0] = without_trailing_separator(wanted);
    dialogs_.answer_input("New");
    new_folder(app_, view_, NewFolderPlace::selected_folder, folder("Games\\Cards\\", "Cards"));
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(is_directory(wanted));
}

TEST_F(FolderCommands, NewSubfolderGoesIntoTheSelectedFolderAndClashesWithItsOwnText) {
    dialogs_.answer_input("Cards");
    new_folder(app_, view_, NewFolderPlace::selected_folder, folder("Games\\", "Games"));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], text("TXT00223") + "\n\n" + menu("Games\\Cards\\"));
    EXPECT_EQ(dialogs_.calls()[0].caption, text("TXT00101"));
    EXPECT_EQ(dialogs_.calls()[0].text, text("TXT00222"));

    dialogs_.answer_input("Dice");
    new_folder(app_, view_, NewFolderPlace::selected_folder, folder("Games\\", "Games"));
    EXPECT_TRUE(is_directory(menu("Games\\Dice")));
}

TEST_F(FolderCommands, CancelledOrUnusableNamesDoNothing) {
    new_folder(app_, view_, NewFolderPlace::menu_root, {});  // cancelled: empty answer
    dialogs_.answer_input("..");
    new_folder(app_, view_, NewFolderPlace::menu_root, {});
    dialogs_.answer_input("<>");
    new_folder(app_, view_, NewFolderPlace::menu_root, {});
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(view_.calls.empty());
    EXPECT_EQ(list_directory(app_.folders.own_menu)->size(), 2u);  // Games and Tools
}

TEST_F(FolderCommands, RenameChangesOnlyTheLastComponentAndReselects) {
    create_folders(menu("Games\\Games"));
    view_.show_menu_again();
    view_.calls.clear();
    dialogs_.answer_input("Old games");
    rename_folder(app_, view_, folder("Games\\Games\\", "Games"));
    EXPECT_EQ(dialogs_.calls()[0].caption, "Games");
    EXPECT_EQ(dialogs_.calls()[0].text, text("TXT00224"));
    EXPECT_EQ(dialogs_.calls()[0].default_text, "Games");
    EXPECT_TRUE(is_directory(menu("Games\\Old games")));
    EXPECT_FALSE(is_directory(menu("Games\\Games")));
    EXPECT_TRUE(is_directory(menu("Games\\Cards")));
    const int item = find_folder_item(app_.folder_table, menu("Games\\Old games\\"));
    ASSERT_GE(item, 1);
    EXPECT_EQ(view_.calls,
              (std::vector<std::string>{"clear", "menu", "select " + std::to_string(item),
                                        "open " + menu("Games\\Old games\\")}));
}

TEST_F(FolderCommands, RenameToAnotherFoldersNameIsRefused) {
    dialogs_.answer_input("Tools");
    rename_folder(app_, view_, folder("Games\\", "Games"));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], text("TXT00225") + "\n\n" + menu("Tools\\"));
    EXPECT_EQ(dialogs_.calls()[1].caption, "Games");
    EXPECT_TRUE(is_directory(menu("Games\\Cards")));
    EXPECT_TRUE(view_.calls.empty());
}

TEST_F(FolderCommands, RenameToTheSameNameOrTheMenuFolderDoesNothing) {
    dialogs_.answer_input("Games");
    rename_folder(app_, view_, folder("Games\\", "Games"));
    dialogs_.answer_input("Other");
    rename_folder(app_, view_, {app_.folders.own_menu, "My Menu"});
    EXPECT_TRUE(view_.calls.empty());
    EXPECT_TRUE(is_directory(app_.folders.own_menu));
}

TEST_F(FolderCommands, DeleteAsksWithWarningAndRemovesTheFolderOnlyOnYes) {
    menu_file("Games\\Cards\\Solitaire.lnk");
    delete_folder(app_, view_, folder("Games\\", "Games"));
    ASSERT_EQ(dialogs_.calls().size(), 1u);
    // This prefix has no Recycle Bin: the question says so.
    EXPECT_EQ(dialogs_.calls()[0].text,
              text("TXT00226") + "\n\n" + menu("Games\\") + "\n\n" + text("TXT00313"));
    EXPECT_EQ(dialogs_.calls()[0].caption, "Games");
    EXPECT_EQ(dialogs_.calls()[0].type,
              static_cast<UINT>(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
    EXPECT_TRUE(is_directory(menu("Games\\Cards")));

    dialogs_.answer_message(IDYES);
    delete_folder(app_, view_, folder("Games\\", "Games"));
    EXPECT_FALSE(is_directory(menu("Games")));
    EXPECT_EQ(view_.calls, (std::vector<std::string>{"clear", "menu"}));
    EXPECT_EQ(view_.selected_item, 0);
}

TEST_F(FolderCommands, DeleteNeverTouchesTheMenuFolderOrAnythingOutsideIt) {
    const std::string outside = dir_.make_dir("Outside");
    dialogs_.answer_message(IDYES);
    delete_folder(app_, view_, {outside + "\\", "Outside"});
    dialogs_.answer_message(IDYES);
    delete_folder(app_, view_, {app_.folders.own_menu, "My Menu"});
    EXPECT_TRUE(is_directory(outside));
    EXPECT_TRUE(is_directory(menu("Games")));
}

TEST_F(FolderCommands, InformationNamesTheViewAndTheFolder) {
    show_folder_information(app_, true, folder("Tools\\", "Tools"));
    ASSERT_EQ(dialogs_.calls().size(), 1u);
    EXPECT_EQ(dialogs_.calls()[0].text,
              text("TXT00228") + "\n\n" + text("TXT00229") + "\n" + menu("Tools\\") + "\n\n");
    EXPECT_EQ(dialogs_.calls()[0].caption, "Tools");
    EXPECT_EQ(dialogs_.calls()[0].type, static_cast<UINT>(MB_OK));
}

}  // namespace
}  // namespace trevalon
