// A cut entry is never lost: it waits until it is pasted, and goes back to
// its folder when the clipboard gets something else, at exit, and at the
// next start after a run that ended without its clean-up.
#include "commands/cut_keeper_win.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>

#include "commands/clipboard_commands_win.h"
#include "commands/entry_commands_win.h"
#include "commands/import_win.h"
#include "commands/undo_win.h"
#include "menu/directory_listing.h"
#include "menu/path_text.h"
#include "platform/clipboard_win.h"
#include "platform/file_ops_win.h"
#include "platform/wide_win.h"
#include "program/exit_cleanup_win.h"
#include "support/operations_fixture_win.h"
#include "support/unix_links_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

class CutEntries : public test::OperationsTest {
  protected:
    void SetUp() override {
        OperationsTest::SetUp();
        create_folders(menu("Games"));
        create_folders(menu("Office"));
        a_ = menu_file("Games\\A.lnk", "bytes of A");
        b_ = menu_file("Office\\B.lnk", "bytes of B");
    }
    SelectedEntry entry(const std::string& path) {
        return read_selected_entry(path, std::string(file_name_part(path)));
    }
    // What waits in the cut-entries folder (places and notes).
    std::size_t waiting() {
        return list_directory(app_.folders.cut_entries)
            .value_or(std::vector<DirectoryEntry>{})
            .size();
    }
    // A waiting place as a run that ended without its clean-up leaves it;
    // the note as the program writes it.
    void place(int number, const std::string& origin, const std::string& name,
               const std::string& bytes, bool with_note = true) {
        const std::string folder = app_.folders.cut_entries + std::to_string(number) + "\\";
        ASSERT_TRUE(create_folders(folder));
        ASSERT_TRUE(write_file(folder + name, bytes));
        if (with_note) {
            CutRecord record;
            record.origin = origin;
            ASSERT_TRUE(write_file(app_.folders.cut_entries + std::to_string(number) + ".cut",
                                   format_cut_record(record)));
        }
    }
    // Every file below the own menu whose bytes these are.
    std::vector<std::string> in_menu(const std::string& bytes) {
        std::vector<std::string> found;
        std::function<void(const std::string&)> walk = [&](const std::string& folder) {
            for (const DirectoryEntry& item :
                 list_directory(folder).value_or(std::vector<DirectoryEntry>{})) {
                if (item.is_directory)
                    walk(folder + item.name + "\\");
                else if (read_file(folder + item.name) == bytes)
                    found.push_back(folder + item.name);
            }
        };
        walk(app_.folders.own_menu);
        return found;
    }
    std::string a_;
    std::string b_;
};

std::string system_folder() {
    wchar_t buffer[MAX_PATH] = {};
    GetSystemDirectoryW(buffer, MAX_PATH);
    return wide_to_utf8(buffer) + "\\";
}

std::string startup_folder() {
    wchar_t buffer[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, 0, buffer);
    return wide_to_utf8(buffer) + "\\";
}

std::string working_folder() {
    wchar_t buffer[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, buffer);
    return wide_to_utf8(buffer) + "\\";
}

TEST_F(CutEntries, CutACutBThenExitLeavesBothInTheirFoldersWithTheirBytes) {
    cut_entry(app_, view_, entry(a_));
    EXPECT_FALSE(is_file(a_));
    cut_entry(app_, view_, entry(b_));
    // A is back at once: the clipboard no longer has it.
    EXPECT_EQ(read_file(a_), "bytes of A");
    EXPECT_FALSE(is_file(b_));
    const std::vector<std::string> listed = clipboard_files();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(read_file(listed[0]), "bytes of B");

    exit_cleanup_steps(app_);
    EXPECT_EQ(read_file(a_), "bytes of A");
    EXPECT_EQ(read_file(b_), "bytes of B");
    EXPECT_EQ(waiting(), 0u);
    EXPECT_EQ(files_in(menu("Games")).size(), 1u);
}

TEST_F(CutEntries, CutAPasteElsewhereCutBLeavesAWherePastedAndBOnTheClipboard) {
    cut_entry(app_, view_, entry(a_));
    view_.set_list_folder(menu("Office\\"));
    paste_entries(app_, view_);
    cut_entry(app_, view_, entry(b_));
    EXPECT_EQ(read_file(menu("Office\\A.lnk")), "bytes of A");
    EXPECT_FALSE(is_file(a_));  // pasted, so it does not come back as well
    const std::vector<std::string> listed = clipboard_files();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_TRUE(listed[0].starts_with(app_.folders.cut_entries));
    EXPECT_EQ(read_file(listed[0]), "bytes of B");

    exit_cleanup_steps(app_);
    EXPECT_FALSE(is_file(a_));
    EXPECT_EQ(read_file(b_), "bytes of B");
    EXPECT_EQ(waiting(), 0u);
}

TEST_F(CutEntries, ACopyReplacingTheCutSendsItHomeUnderAFreeNameWhenItsOwnIsTaken) {
    cut_entry(app_, view_, entry(a_));
    menu_file("Games\\A.lnk", "a new A made meanwhile");
    view_.calls.clear();
    copy_entry(app_, view_, entry(b_));
    EXPECT_EQ(read_file(a_), "a new A made meanwhile");
    EXPECT_EQ(read_file(menu("Games\\A (1).lnk")), "bytes of A");
    EXPECT_EQ(view_.calls, std::vector<std::string>{"refresh"});
    EXPECT_EQ(clipboard_file_list(), b_);
    // The cut is settled, so Undo has no cut left to take back.
    EXPECT_TRUE(app_.undo.empty());
}

TEST_F(CutEntries, UndoOfACutOrOfItsPasteSendsTheEntryHomeAndEndsTheCut) {
    cut_entry(app_, view_, entry(a_));
    undo_last_edit(app_, view_);
    EXPECT_EQ(read_file(a_), "bytes of A");
    EXPECT_EQ(waiting(), 0u);
    EXPECT_EQ(clipboard_file_count(), 0);

    cut_entry(app_, view_, entry(a_));
    view_.set_list_folder(menu("Office\\"));
    paste_entries(app_, view_);
    ASSERT_EQ(app_.undo.size(), 1u);  // the paste took the cut's place
    undo_last_edit(app_, view_);
    EXPECT_EQ(read_file(a_), "bytes of A");
    EXPECT_FALSE(is_file(menu("Office\\A.lnk")));
    EXPECT_EQ(waiting(), 0u);
    EXPECT_EQ(clipboard_file_count(), 0);
    EXPECT_TRUE(messages().empty());
}

TEST_F(CutEntries, WhatARunLeftWaitingIsSettledLikeAtExit) {
    // Two runs that ended without their clean-up: one left A waiting, one
    // left B waiting after B was pasted into Games.
    const auto waiting_a = start_cut(app_.folders, a_);
    ASSERT_TRUE(waiting_a);
    ASSERT_TRUE(delete_file(a_));
    const auto waiting_b = start_cut(app_.folders, b_);
    ASSERT_TRUE(waiting_b);
    ASSERT_TRUE(copy_file(*waiting_b, menu("Games\\B.lnk")));
    ASSERT_TRUE(mark_cut_pasted(app_.folders, *waiting_b));
    ASSERT_TRUE(delete_file(b_));
    // A note whose entry never got copied: that cut never took anything.
    write_file(app_.folders.cut_entries + "9.cut", "origin=" + menu("Office\\Gone.lnk") + "\r\n");
    // An entry an older version left directly in the folder is not touched.
    write_file(app_.folders.cut_entries + "Old.lnk", "old");

    const auto settled = settle_cuts(app_.folders);
    EXPECT_EQ(settled.size(), 2u);
    EXPECT_EQ(read_file(a_), "bytes of A");
    EXPECT_FALSE(is_file(b_));
    EXPECT_EQ(read_file(menu("Games\\B.lnk")), "bytes of B");
    EXPECT_FALSE(is_file(menu("Office\\Gone.lnk")));
    EXPECT_EQ(files_in(app_.folders.cut_entries), std::vector<std::string>{"Old.lnk"});
    EXPECT_EQ(waiting(), 1u);
}

TEST_F(CutEntries, AnEntryWhoseFolderWasRemovedMeanwhileGetsItBack) {
    cut_entry(app_, view_, entry(a_));
    ASSERT_TRUE(remove_tree(menu("Games"), std::vector<std::string>{app_.folders.own_menu}));
    exit_cleanup_steps(app_);
    EXPECT_EQ(read_file(a_), "bytes of A");
}

TEST_F(CutEntries, NotesNamingOtherPlacesPutTheirEntriesInMyMenuAndSaySoOnce) {
    const auto host = test::unix_path_of(dir_.str());
    ASSERT_TRUE(host);
    const std::string host_folder = test::host_drive_path(*host) + "\\host\\";
    const std::string long_origin = menu(std::string(10'000, 'x') + "\\Long.lnk");
    const std::vector<std::pair<std::string, std::string>> notes{
        {system_folder() + "Evil.lnk", "Evil.lnk"},
        {startup_folder() + "Evil.exe", "Evil.exe"},
        {host_folder + "Evil.lnk", "Evil.lnk"},
        {"..\\..\\Evil.lnk", "Evil.lnk"},
        {"C:\\x\\..\\..\\Evil.lnk", "Evil.lnk"},
        {menu("\xFF\xFE\xFD.lnk"), "Bad.lnk"},
        {menu(std::string("a\0b.lnk", 7)), "a"},
        {"\\\\server\\share\\Evil.lnk", "Evil.lnk"},
        {long_origin, "Long.lnk"},
    };
    int number = 1;
    for (const auto& [origin, name] : notes) {
        place(number, origin, name, "entry " + std::to_string(number));
        ++number;
    }
    settle_waiting_cuts(app_);

    EXPECT_FALSE(path_taken(system_folder() + "Evil.lnk"));
    EXPECT_FALSE(path_taken(startup_folder() + "Evil.exe"));
    EXPECT_FALSE(is_directory(host_folder));
    EXPECT_FALSE(path_taken(working_folder() + "..\\..\\Evil.lnk"));
    EXPECT_FALSE(is_directory("C:\\x"));
    for (int i = 1; i < number; ++i)
        EXPECT_EQ(in_menu("entry " + std::to_string(i)).size(), 1u) << notes[i - 1].first;
    EXPECT_TRUE(list_directory(app_.folders.cut_entries)->empty());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].find(text("TXT00401")), 0u);
    EXPECT_NE(messages()[0].find(menu("Evil.lnk")), std::string::npos) << messages()[0];
}

TEST_F(CutEntries, ANoteEditedWhileTheProgramRunsCannotTakeTheEntryOutOfTheMenu) {
    cut_entry(app_, view_, entry(a_));
    const std::string outside = dir_.make_dir("outside") + "A.lnk";
    CutRecord edited;
    edited.origin = outside;
    ASSERT_TRUE(write_file(app_.folders.cut_entries + "1.cut", format_cut_record(edited)));
    exit_cleanup_steps(app_);
    EXPECT_FALSE(path_taken(outside));
    EXPECT_EQ(read_file(a_), "bytes of A");
    EXPECT_TRUE(messages().empty());
}

TEST_F(CutEntries, WhatAPlaceHoldsBeyondItsNoteGoesToAFolderOfMyMenuAndIsSaidOnce) {
    place(1, "", "NoNote.lnk", "no note", false);
    place(2, menu("Games\\Two.lnk"), "Two.lnk", "two");
    ASSERT_TRUE(write_file(app_.folders.cut_entries + "2\\Extra.lnk", "extra"));
    place(3, menu("Games\\Three.lnk"), "Three.lnk", "three");
    ASSERT_TRUE(create_folders(app_.folders.cut_entries + "3\\Sub"));
    ASSERT_TRUE(write_file(app_.folders.cut_entries + "3\\Sub\\Deep.lnk", "deep"));
    // A folder of that name is the user's: the recovered go beside it.
    ASSERT_TRUE(create_folders(menu(text("TXT00400"))));

    settle_waiting_cuts(app_);
    EXPECT_EQ(read_file(menu("Games\\Two.lnk")), "two");
    EXPECT_EQ(read_file(menu("Games\\Three.lnk")), "three");
    const std::string recovered = menu(text("TXT00400") + " (1)\\");
    EXPECT_EQ(read_file(recovered + "NoNote.lnk"), "no note");
    EXPECT_EQ(read_file(recovered + "Extra.lnk"), "extra");
    EXPECT_EQ(read_file(recovered + "Sub\\Deep.lnk"), "deep");
    EXPECT_TRUE(list_directory(app_.folders.cut_entries)->empty());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find(text("TXT00402")), std::string::npos);
    EXPECT_NE(messages()[0].find(recovered + "Extra.lnk"), std::string::npos) << messages()[0];
}

TEST_F(CutEntries, LinksInAPlaceOrInAPlacesSteadAreNeverFollowed) {
    const std::string target = dir_.write_file("elsewhere\\file.txt", "precious");
    const std::string folder = dir_.make_dir("elsewhere\\folder");
    ASSERT_TRUE(write_file(folder + "inside.txt", "precious too"));
    place(1, a_, "A.lnk", "bytes of A");
    ASSERT_TRUE(delete_file(a_));
    const std::string file_link = app_.folders.cut_entries + "1\\other.txt";
    ASSERT_TRUE(test::make_unix_link(file_link, target));
    const std::string folder_link = app_.folders.cut_entries + "2";
    ASSERT_TRUE(test::make_unix_link(folder_link, folder));
    CutRecord note;
    note.origin = menu("Games\\inside.txt");
    ASSERT_TRUE(write_file(app_.folders.cut_entries + "2.cut", format_cut_record(note)));

    settle_waiting_cuts(app_);
    EXPECT_EQ(read_file(a_), "bytes of A");
    EXPECT_EQ(read_file(target), "precious");
    EXPECT_EQ(read_file(folder + "inside.txt"), "precious too");
    EXPECT_FALSE(is_file(menu("Games\\inside.txt")));
    test::remove_unix_link(file_link);
    test::remove_unix_link(folder_link);
}

TEST_F(CutEntries, HundredsOfWaitingEntriesOfOneNameAllComeOutAndAreSaid) {
    for (int i = 1; i <= 150; ++i)
        place(i, menu("Games\\X.lnk"), "X.lnk", "x" + std::to_string(i));
    settle_waiting_cuts(app_);
    for (int i = 1; i <= 150; ++i)
        EXPECT_EQ(in_menu("x" + std::to_string(i)).size(), 1u) << i;
    EXPECT_EQ(files_in(menu("Games\\")).size(), 100u + 1u);  // with A.lnk
    EXPECT_TRUE(list_directory(app_.folders.cut_entries)->empty());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find(text("TXT00417") + " 30"), std::string::npos) << messages()[0];
}

TEST_F(CutEntries, ARunEndedBetweenTheCutsCopyAndTheRemovalLeavesTheEntryOnce) {
    // The copy is whole, the entry still in its folder.
    ASSERT_TRUE(start_cut(app_.folders, a_));
    settle_waiting_cuts(app_);
    EXPECT_EQ(files_in(menu("Games\\")), std::vector<std::string>{"A.lnk"});
    EXPECT_EQ(read_file(a_), "bytes of A");

    // The copy cut short.
    const auto waiting = start_cut(app_.folders, a_);
    ASSERT_TRUE(waiting);
    ASSERT_TRUE(write_file(*waiting, "bytes"));
    settle_waiting_cuts(app_);
    EXPECT_EQ(files_in(menu("Games\\")), std::vector<std::string>{"A.lnk"});
    EXPECT_EQ(read_file(a_), "bytes of A");
    EXPECT_TRUE(list_directory(app_.folders.cut_entries)->empty());
}

TEST_F(CutEntries, ACutThatCannotKeepItsCopySaysSoAndLeavesTheEntry) {
    // A file where the cut-entries folder belongs.
    ASSERT_TRUE(create_folders(app_.folders.data));
    ASSERT_TRUE(write_file(without_trailing_separator(app_.folders.cut_entries), "in the way"));
    cut_entry(app_, view_, entry(a_));
    EXPECT_EQ(read_file(a_), "bytes of A");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], text("TXT00415") + "\n\n" + a_);
}

}  // namespace
}  // namespace trevalon
