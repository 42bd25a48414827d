// Paste, import, cut, copy, rename, delete, bookmarks, the new-shortcut
// wizard and the information box, on real files, links and the clipboard.
#include "commands/clipboard_commands_win.h"
#include "commands/entry_commands_win.h"

#include <gtest/gtest.h>

#include "commands/import_win.h"
#include "platform/clipboard_win.h"
#include "platform/file_ops_win.h"
#include "platform/shortcut_win.h"
#include "platform/wide_win.h"
#include "program/exit_cleanup_win.h"
#include "support/operations_fixture_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

class EntryCommands : public test::OperationsTest {
  protected:
    SelectedEntry entry(const std::string& relative) {
        const std::string path = menu(relative);
        return read_selected_entry(path, std::string(relative));
    }
};

TEST_F(EntryCommands, CopyThenPasteIntoAFolderHoldingTheNameGivesTheNextFreeNumber) {
    const std::string source = menu_link("a.lnk", app_.folders.program_file);
    menu_file("Games\\a.lnk", "first");
    menu_file("Games\\a (1).lnk", "second");
    copy_entry(app_, view_, entry("a.lnk"));
    EXPECT_EQ(GetClipboardOwner(), app_.main_window);
    EXPECT_EQ(clipboard_file_list(), source);

    view_.set_list_folder(menu("Games\\"));
    paste_entries(app_, view_);
    EXPECT_EQ(read_file(menu("Games\\a (2).lnk")), read_file(source));
    EXPECT_EQ(read_file(menu("Games\\a.lnk")), "first");
    EXPECT_EQ(read_file(menu("Games\\a (1).lnk")), "second");
    // The pasted entry is the one selected.
    EXPECT_EQ(view_.calls,
              (std::vector<std::string>{"refresh", "select entry " + menu("Games\\a (2).lnk")}));
}

TEST_F(EntryCommands, PastingSixFilesAsksFirstAndFiveDoNot) {
    std::vector<std::string> six;
    for (int i = 1; i <= 6; ++i)
        six.push_back(dir_.write_file("Source\\e" + std::to_string(i) + ".lnk", "link"));
    ASSERT_TRUE(copy_files_to_clipboard(six));
    view_.set_list_folder(menu(""));

    paste_entries(app_, view_);  // the cautious answer: No
    ASSERT_EQ(messages(), std::vector<std::string>{text("TXT00232")});
    EXPECT_EQ(dialogs_.calls()[0].type,
              static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_FALSE(is_file(menu("e1.lnk")));

    dialogs_.answer_message(IDYES);
    paste_entries(app_, view_);
    EXPECT_TRUE(is_file(menu("e6.lnk")));

    six.pop_back();
    ASSERT_TRUE(copy_files_to_clipboard(six));
    view_.set_list_folder(menu("Five\\"));
    create_folders(menu("Five"));
    paste_entries(app_, view_);
    EXPECT_EQ(messages().size(), 2u);  // no third question
    EXPECT_TRUE(is_file(menu("Five\\e5.lnk")));
}

TEST_F(EntryCommands, ImportLinksFoldersAndFilesAndLeavesEmptyShortcutsOut) {
    const std::string tools = dir_.make_dir("Tools");
    const std::string script = dir_.write_file("Tools\\run.cmd", "@echo off");
    const std::string empty_url = dir_.write_file("Empty.url", "");
    const ImportResult result = import_paths({tools, script, empty_url}, menu(""));
    EXPECT_EQ(result.imported.size(), 2u);
    ASSERT_EQ(result.skipped.size(), 1u);
    EXPECT_EQ(result.skipped[0].reason, SkipReason::empty_shortcut);
    EXPECT_FALSE(is_file(menu("Empty.url")));

    const auto folder_link = read_shortcut_contents(menu("Tools.lnk"));
    ASSERT_TRUE(folder_link);
    EXPECT_EQ(folder_link->working_directory, "");
    const auto file_link = read_shortcut_contents(menu("run.lnk"));
    ASSERT_TRUE(file_link);
    EXPECT_EQ(file_link->working_directory, folder_of(script));
    EXPECT_EQ(read_shortcut_fields(menu("run.lnk")).target, script);
}

TEST_F(EntryCommands, ACutEntryWaitsForItsPasteAndOnlyThenLeavesItsFolder) {
    const std::string first = menu_file("a.lnk", "cut me");
    cut_entry(app_, view_, entry("a.lnk"));
    EXPECT_FALSE(is_file(first));
    const std::vector<std::string> listed = clipboard_files();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_TRUE(listed[0].starts_with(app_.folders.cut_entries)) << listed[0];
    EXPECT_TRUE(listed[0].ends_with("\\a.lnk")) << listed[0];
    EXPECT_EQ(read_file(listed[0]), "cut me");
    EXPECT_EQ(view_.calls, std::vector<std::string>{"refresh"});

    view_.set_list_folder(menu("Games\\"));
    create_folders(menu("Games"));
    paste_entries(app_, view_);
    EXPECT_EQ(read_file(menu("Games\\a.lnk")), "cut me");
    EXPECT_FALSE(is_file(first));
}

TEST_F(EntryCommands, ACutTheClipboardRefusesLeavesTheEntryWhereItWas) {
    const std::string source = menu_file("a.lnk", "stay");
    DestroyWindow(app_.main_window);
    // A window that is gone cannot own the clipboard: the write fails.
    cut_entry(app_, view_, entry("a.lnk"));
    app_.main_window = nullptr;
    EXPECT_EQ(read_file(source), "stay");
    EXPECT_TRUE(files_in(app_.folders.cut_entries).empty());
    EXPECT_FALSE(is_directory(app_.folders.cut_entries + "1"));
    EXPECT_TRUE(view_.calls.empty());
    EXPECT_TRUE(app_.undo.empty());
}

TEST_F(EntryCommands, DeleteAndRenameKeepTheExtensionAndRefuseATakenName) {
    menu_file("Editor.lnk", "e");
    menu_file("Viewer.lnk", "v");
    menu_file("notes.txt", "n");
    dialogs_.answer_input("Viewer");
    rename_entry(app_, view_, entry("Editor.lnk"));
    EXPECT_EQ(dialogs_.calls()[0].caption, "Editor");
    EXPECT_EQ(dialogs_.calls()[0].default_text, "Editor");
    EXPECT_EQ(dialogs_.calls()[0].text, text("TXT00233"));
    ASSERT_EQ(messages(), std::vector<std::string>{text("TXT00234") + "\n\nViewer.lnk"});
    EXPECT_EQ(dialogs_.calls()[1].caption, "Editor");
    EXPECT_EQ(read_file(menu("Viewer.lnk")), "v");

    dialogs_.answer_input("Writer: new");
    rename_entry(app_, view_, entry("Editor.lnk"));
    EXPECT_EQ(read_file(menu("Writer new.lnk")), "e");
    EXPECT_FALSE(is_file(menu("Editor.lnk")));
    // The renamed entry is selected under its new name; a refused rename
    // only shows the list again.
    EXPECT_EQ(view_.calls,
              (std::vector<std::string>{"refresh", "select entry " + menu("Writer new.lnk")}));

    // This prefix has no Recycle Bin: the delete asks first.
    dialogs_.answer_message(IDYES);
    delete_entry(app_, view_, entry("notes.txt"));
    EXPECT_FALSE(is_file(menu("notes.txt")));
    EXPECT_EQ(view_.calls.size(), 3u);
    EXPECT_EQ(view_.calls.back(), "refresh");
}

TEST_F(EntryCommands, AddToBookmarksKeepsADifferentBookmarkOfTheSameName) {
    menu_file("News.lnk", "mine");
    add_to_bookmarks(app_, entry("News.lnk"));
    EXPECT_EQ(read_file(app_.folders.bookmarks + "News.lnk"), "mine");
    add_to_bookmarks(app_, entry("News.lnk"));  // the same again: no second copy
    EXPECT_FALSE(is_file(app_.folders.bookmarks + "News (1).lnk"));

    menu_file("Other\\News.lnk", "other");
    add_to_bookmarks(app_, entry("Other\\News.lnk"));
    EXPECT_EQ(read_file(app_.folders.bookmarks + "News.lnk"), "mine");
    EXPECT_EQ(read_file(app_.folders.bookmarks + "News (1).lnk"), "other");
}

TEST_F(EntryCommands, NewShortcutRunsTheWizardOnAnEmptyTemporaryLinkAndTidiesUp) {
    view_.set_list_folder(menu(""));
    new_shortcut(app_, view_);
    ASSERT_EQ(launcher_.records.size(), 1u);
    EXPECT_EQ(launcher_.records[0].kind, "start");
    // The system's own wizard, never a rundll32.exe of another folder.
    wchar_t system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    EXPECT_EQ(launcher_.records[0].program, wide_to_utf8(system) + "\\rundll32.exe");
    EXPECT_EQ(launcher_.records[0].arguments, "appwiz.cpl,NewLinkHere " + menu("_temp_.lnk"));
    ASSERT_EQ(messages(), std::vector<std::string>{text("TXT00231")});
    EXPECT_EQ(dialogs_.calls()[0].caption, text("TXT00230"));
    EXPECT_FALSE(is_file(menu("_temp_.lnk")));
    EXPECT_EQ(view_.calls, std::vector<std::string>{"refresh"});
}

TEST_F(EntryCommands, NewShortcutNeverOverwritesAnEntryNamedLikeItsTemporaryLink) {
    menu_file("_temp_.lnk", "a user's link");
    view_.set_list_folder(menu(""));
    new_shortcut(app_, view_);
    EXPECT_TRUE(launcher_.records.empty());
    EXPECT_EQ(read_file(menu("_temp_.lnk")), "a user's link");
}

TEST_F(EntryCommands, RightClickAnalysisAndInformationOfRealLinks) {
    menu_link("Editor.lnk", app_.folders.program_file);
    menu_link("News.lnk", "C:\\windows\\explorer.exe", "\"https://news.example/\"");
    menu_file("Broken.lnk", "not a link");

    const SelectedEntry editor = entry("Editor.lnk");
    EXPECT_EQ(editor.target, app_.folders.program_file);
    EXPECT_TRUE(editor.program);
    EXPECT_EQ(editor.note, "");
    show_entry_information(app_, true, editor);
    EXPECT_EQ(messages().back(), text("TXT00236") + "\n\n" + text("TXT00237") + "\n" +
                                     menu("Editor.lnk") + "\n\n" + text("TXT00238") + "\n" +
                                     app_.folders.program_file + "\n\n");
    EXPECT_EQ(dialogs_.calls().back().caption, "Editor.lnk");

    const SelectedEntry news = entry("News.lnk");
    EXPECT_EQ(news.target, "https://news.example/");
    EXPECT_FALSE(news.program);

    const SelectedEntry broken = entry("Broken.lnk");
    EXPECT_EQ(broken.target, "");
    EXPECT_EQ(broken.note, text("TXT00244"));
}

}  // namespace
}  // namespace trevalon
