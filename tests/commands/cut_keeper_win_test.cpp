// A cut entry is never lost: it waits until it is pasted, and goes back to
// its folder when the clipboard gets something else, at exit, and at the
// next start after a run that ended without its clean-up.
#include "commands/cut_keeper_win.h"

#include <gtest/gtest.h>

#include "commands/clipboard_commands_win.h"
#include "commands/entry_commands_win.h"
#include "commands/undo_win.h"
#include "menu/directory_listing.h"
#include "menu/path_text.h"
#include "platform/clipboard_win.h"
#include "platform/file_ops_win.h"
#include "program/exit_cleanup_win.h"
#include "support/operations_fixture_win.h"

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
    std::string a_;
    std::string b_;
};

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

}  // namespace
}  // namespace trevalon
