// Undo through the real operations on real files: deletes come back byte
// for byte, every kind of edit is taken back newest first, and an undo that
// cannot be done says so and changes nothing.
#include "commands/undo_win.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "commands/clipboard_commands_win.h"
#include "commands/entry_commands_win.h"
#include "commands/folder_commands_win.h"
#include "commands/drop_actions_win.h"
#include "commands/undo_store_win.h"
#include "commands/undo_texts.h"
#include "menu/directory_listing.h"
#include "menu/folder_walk.h"
#include "menu/path_text.h"
#include "platform/clipboard_win.h"
#include "platform/event.h"
#include "platform/file_ops_win.h"
#include "program/exit_cleanup_win.h"
#include "platform/handles_win.h"
#include "platform/wide_win.h"
#include "support/operations_fixture_win.h"
#include "support/unix_links_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

class UndoCommands : public test::OperationsTest {
  protected:
    SelectedEntry entry(const std::string& relative) {
        return read_selected_entry(menu(relative), std::string(relative));
    }
    SelectedFolder folder(const std::string& relative, const std::string& display) {
        return SelectedFolder{menu(relative), display};
    }
    // Every file below the folder with its bytes, and every folder ("/").
    std::map<std::string, std::string> tree(const std::string& relative) {
        std::map<std::string, std::string> found;
        const std::string start = menu(relative);
        walk_folder_tree(start, [&](const std::string& at, const DirectoryEntry& item, int) {
            const std::string path = at + item.name;
            found[path.substr(start.size())] =
                item.is_directory ? "/" : read_file(path).value_or("unreadable");
        });
        return found;
    }
    std::string caption() { return undo_caption(app_.undo.newest(), texts()); }
    // Copies left in the undo folder, and in the folder where whole copies
    // are made before they go into place.
    std::size_t kept_copies() {
        std::size_t copies = 0;
        for (const DirectoryEntry& item :
             list_directory(app_.folders.undo).value_or(std::vector<DirectoryEntry>{})) {
            copies += item.name == "Copying" ? list_directory(app_.folders.undo + "Copying")
                                                   .value_or(std::vector<DirectoryEntry>{})
                                                   .size()
                                             : 1;
        }
        return copies;
    }
};

const std::string kBinary("L\0\0\0\x01\x14\x02\0\xFF\xFE link bytes", 20);

TEST_F(UndoCommands, ADeletedEntryAndFolderTreeComeBackByteForByte) {
    menu_file("Editor.lnk", kBinary);
    menu_file("Games\\Cards\\Solitaire.lnk", kBinary + "cards");
    menu_file(
        "Games\\\xC3\x9C"
        "berl\xC3\xA4nge \xE2\x98\x83.lnk",
        "unicode name");
    create_folders(menu("Games\\Empty"));
    const auto games = tree("Games\\");

    // No Recycle Bin in this prefix: the entry's delete asks first; No keeps it.
    delete_entry(app_, view_, entry("Editor.lnk"));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], text("TXT00312") + "\n\n" + menu("Editor.lnk"));
    EXPECT_EQ(dialogs_.calls()[0].type,
              static_cast<UINT>(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
    EXPECT_TRUE(is_file(menu("Editor.lnk")));
    EXPECT_TRUE(app_.undo.empty());

    dialogs_.answer_message(IDYES);
    delete_entry(app_, view_, entry("Editor.lnk"));
    dialogs_.answer_message(IDYES);
    delete_folder(app_, view_, folder("Games\\", "Games"));
    EXPECT_FALSE(is_file(menu("Editor.lnk")));
    EXPECT_FALSE(is_directory(menu("Games")));
    EXPECT_EQ(caption(), text("TXT00301") + " \"Games\"");

    view_.calls.clear();
    undo_last_edit(app_, view_);
    EXPECT_EQ(tree("Games\\"), games);
    // The tree is shown again with the folder that came back selected.
    EXPECT_EQ(view_.calls,
              (std::vector<std::string>{"menu", "select 1", "open " + menu("Games\\")}));
    EXPECT_EQ(caption(), text("TXT00301") + " \"Editor\"");
    undo_last_edit(app_, view_);
    EXPECT_EQ(read_file(menu("Editor.lnk")), kBinary);
    EXPECT_EQ(caption(), text("TXT00300"));
    // What Undo kept went with the edits it took back.
    EXPECT_EQ(kept_copies(), 0u);
}

TEST_F(UndoCommands, EveryKindOfEditIsTakenBackNewestFirst) {
    menu_file("Editor.lnk", "editor");
    menu_file("Office\\Viewer.lnk", "viewer");
    const std::string outside = dir_.write_file("Outside\\Tool.lnk", "tool");

    dialogs_.answer_input("Games");
    new_folder(app_, view_, NewFolderPlace::menu_root, {});
    dialogs_.answer_input("Writer");
    rename_entry(app_, view_, entry("Editor.lnk"));
    dialogs_.answer_input("Fun");
    rename_folder(app_, view_, folder("Games\\", "Games"));
    copy_entry(app_, view_, entry("Writer.lnk"));
    view_.set_list_folder(menu("Fun\\"));
    paste_entries(app_, view_);
    Event drop;
    drop.dropped_files = {outside};
    drop_on_list(app_, view_, drop);
    // A move from Office into Fun: the link is copied, its source goes.
    view_.set_list_folder(menu("Office\\"));
    drop.dropped_files = {menu("Office\\Viewer.lnk")};
    drop.drop_is_move = true;
    ASSERT_EQ(app_.folder_table.paths[1] + "\\", menu("Fun\\"));
    drop_on_tree(app_, view_, drop, 1);
    add_to_bookmarks(app_, entry("Writer.lnk"));
    ASSERT_EQ(app_.undo.size(), 7u);
    EXPECT_FALSE(is_file(menu("Office\\Viewer.lnk")));

    const std::vector<std::pair<std::string, std::string>> captions{
        {"TXT00308", "Writer"}, {"TXT00306", "Viewer"}, {"TXT00305", "Tool"},
        {"TXT00304", "Writer"}, {"TXT00302", "Fun"},    {"TXT00302", "Writer"},
        {"TXT00303", "Games"}};
    for (const auto& [key, subject] : captions) {
        EXPECT_EQ(caption(), text(key) + " \"" + subject + "\"");
        undo_last_edit(app_, view_);
    }
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(is_file(app_.folders.bookmarks + "Writer.lnk"));
    EXPECT_EQ(read_file(menu("Office\\Viewer.lnk")), "viewer");
    EXPECT_EQ(read_file(menu("Editor.lnk")), "editor");
    EXPECT_FALSE(is_directory(menu("Games")));
    EXPECT_FALSE(is_directory(menu("Fun")));
    EXPECT_EQ(read_file(outside), "tool");  // a drop's source is never touched
    EXPECT_TRUE(app_.undo.empty());
}

TEST_F(UndoCommands, TwentyOneEditsThenTwentyOneUndosAndTheLastOnlyBeeps) {
    for (int i = 1; i <= 21; ++i) {
        dialogs_.answer_input("F" + std::to_string(i));
        new_folder(app_, view_, NewFolderPlace::menu_root, {});
        ASSERT_TRUE(is_directory(menu("F" + std::to_string(i)))) << i;
    }
    for (int i = 21; i >= 2; --i) {
        undo_last_edit(app_, view_);
        EXPECT_FALSE(is_directory(menu("F" + std::to_string(i)))) << i;
    }
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(dialogs_.beeps().empty());
    undo_last_edit(app_, view_);
    // Nothing left: a beep, no box.
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(dialogs_.beeps(), std::vector<UINT>{MB_ICONINFORMATION});
    // The oldest edit fell off the end: its folder stays.
    EXPECT_TRUE(is_directory(menu("F1")));
}

TEST_F(UndoCommands, AnUndoAfterAChangeByHandRefusesAndChangesNothing) {
    const std::string a = dir_.write_file("Source\\a.lnk", "a");
    const std::string b = dir_.write_file("Source\\b.lnk", "b");
    ASSERT_TRUE(copy_files_to_clipboard({a, b}, app_.main_window));
    view_.set_list_folder(menu(""));
    paste_entries(app_, view_);
    ASSERT_TRUE(is_file(menu("a.lnk")) && is_file(menu("b.lnk")));
    EXPECT_EQ(caption(), text("TXT00304") + " \"a\", \u2026");
    write_file(menu("b.lnk"), "changed by hand");

    undo_last_edit(app_, view_);
    EXPECT_EQ(messages(), std::vector<std::string>{text("TXT00310") + "\n\n" + menu("b.lnk")});
    EXPECT_EQ(dialogs_.calls().back().type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(read_file(menu("a.lnk")), "a");
    EXPECT_EQ(read_file(menu("b.lnk")), "changed by hand");
    EXPECT_EQ(app_.undo.size(), 1u);

    // A renamed entry whose old name was taken meanwhile stays renamed.
    menu_file("Editor.lnk", "e");
    dialogs_.answer_input("Writer");
    rename_entry(app_, view_, entry("Editor.lnk"));
    menu_file("Editor.lnk", "a new one");
    undo_last_edit(app_, view_);
    EXPECT_EQ(messages().back(), text("TXT00310") + "\n\n" + menu("Editor.lnk"));
    EXPECT_EQ(read_file(menu("Writer.lnk")), "e");
    EXPECT_EQ(read_file(menu("Editor.lnk")), "a new one");
}

TEST_F(UndoCommands, AFolderDeletedOnlyInPartKeepsItsCopyAndUndoBringsBackTheRest) {
    menu_file("Tools\\one.lnk", "one");
    menu_file("Tools\\Deep\\two.lnk", "two");
    const std::string held = menu_file("Tools\\held.lnk", "held");
    // Another program holds one file open: it can be read, not deleted.
    UniqueFile lock(CreateFileW(utf8_to_wide(held).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);
    dialogs_.answer_message(IDYES);  // no Recycle Bin in this prefix: for good
    delete_folder(app_, view_, SelectedFolder{menu("Tools\\"), "Tools"});
    lock.reset();
    ASSERT_FALSE(is_file(menu("Tools\\one.lnk")));
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1], text("TXT00413") + "\n\n" + menu("Tools\\"));

    undo_last_edit(app_, view_);
    EXPECT_EQ(read_file(menu("Tools\\one.lnk")), "one");
    EXPECT_EQ(read_file(menu("Tools\\Deep\\two.lnk")), "two");
    EXPECT_EQ(read_file(held), "held");
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_EQ(kept_copies(), 0u);
}

TEST_F(UndoCommands, ADeleteWithoutAWholeCopyForUndoIsRefusedWithAMessage) {
    const std::string a = menu_file("A.lnk", "bytes of A");
    // A file where Undo's folder belongs: no copy can be kept.
    ASSERT_TRUE(create_folders(app_.folders.data));
    ASSERT_TRUE(write_file(without_trailing_separator(app_.folders.undo), "in the way"));
    dialogs_.answer_message(IDYES);
    delete_entry(app_, view_, entry("A.lnk"));
    EXPECT_EQ(read_file(a), "bytes of A");
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1], text("TXT00412") + "\n\n" + a);
    EXPECT_TRUE(app_.undo.empty());
}

TEST_F(UndoCommands, AnUndoFolderThatIsALinkIsNeitherWrittenThroughNorEmptied) {
    const std::string target = dir_.make_dir("precious");
    ASSERT_TRUE(write_file(target + "keep.txt", "precious"));
    ASSERT_TRUE(create_folders(app_.folders.data));
    const std::string link = without_trailing_separator(app_.folders.undo);
    ASSERT_TRUE(test::make_unix_link(link, target));

    const std::string a = menu_file("A.lnk", "bytes of A");
    dialogs_.answer_message(IDYES);
    delete_entry(app_, view_, entry("A.lnk"));
    discard_undo_store(app_.folders);
    exit_cleanup_steps(app_);
    EXPECT_EQ(read_file(target + "keep.txt"), "precious");
    EXPECT_EQ(list_directory(target)->size(), 1u);
    // Wine can remove such a link neither as a link nor otherwise: nothing
    // was kept, so nothing was deleted, and the user was told.
    EXPECT_EQ(read_file(a), "bytes of A");
    EXPECT_EQ(messages().back(), text("TXT00412") + "\n\n" + a);
    test::remove_unix_link(link);
}

}  // namespace
}  // namespace trevalon
