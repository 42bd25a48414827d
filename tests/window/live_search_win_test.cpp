// Search results as the user types, in the real window over fixture
// folders: every row of the search command among them, each the original
// entry and where it lives, best first; answers to older texts dropped;
// clearing the field goes back to what was shown before.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/shortcut_win.h"
#include "support/test_links_win.h"
#include "window/list_views_win.h"
#include "window/live_search_win.h"
#include "window/view_changes.h"
#include "window/window_fixture_win.h"
#include "window/window_numbers.h"

namespace trevalon {
namespace {

class LiveSearchTest : public test::WindowTest {
  protected:
    void SetUp() override {
        test::WindowTest::SetUp();
        create_folders(app_.folders.recent_documents);
    }

    // The index is made once the fixture's files are there (following later
    // changes is the index thread's own test).
    void start() {
        start_live_search(app_);
        ASSERT_TRUE(test::wait_until([this] { return app_.live_search->indexer->ready(); }));
    }

    // Types a whole text at once, as a paste would: the field tells the
    // window, the window queues the change, and the change is handled.
    void type(const std::string& text, DWORD idle_wait = 5000) {
        set_window_text(app_.window.search_field, text);
        take_events();
        live_search_text_changed(app_, idle_wait);
    }

    std::string entry_path(int row) const { return listed_entry_path(app_, row); }

    // A file and the folders it needs.
    static bool put(const std::string& path, std::string_view content) {
        create_folders(path.substr(0, path.rfind('\\')));
        return write_file(path, content);
    }

    const std::string& own() const { return app_.folders.own_menu; }
    const std::string& common() const { return app_.folders.common_programs; }
    const std::string& user() const { return app_.folders.user_programs; }
    const std::string& recent() const { return app_.folders.recent; }
};

TEST_F(LiveSearchTest, HoldEveryRowOfTheSearchCommandAsTheOriginalEntry) {
    // Names in several scripts; one name in several roots and folders, also
    // in another letter case; internet shortcuts that become links; files
    // the menu never shows.
    for (const auto& [folder, name] : std::vector<std::pair<std::string, std::string>>{
             {own(), "Office\\Мой файл заметки.lnk"},
             {own(), "日本\\メモ帳 note.lnk"},
             {common(), "Ελληνικά\\ΣΗΜΕΙΩΣΕΙΣ notes.txt"},
             {user(), "Ärger Note.lnk"},
             {own(), "Office\\Notes.txt"},
             {own(), "Tools\\Deep\\Notes.txt"},
             {common(), "NOTES.TXT"},
             {user(), "A\\notes.txt"},
             {recent(), "Notes.txt"},
             {common(), "Note page.lnk"},
             {user(), "desktop.ini"},
             {own(), "Office\\note.INI"},
             {recent(), "Budget note.txt"},
         }) {
        ASSERT_TRUE(put(folder + name, folder + name));
    }
    ASSERT_TRUE(
        write_file(own() + "Note page.url", "[InternetShortcut]\r\nURL=https://example.org/\r\n"));
    ASSERT_TRUE(
        write_file(user() + "Notebook.url", "[InternetShortcut]\r\nURL=https://example.net/\r\n"));
    ASSERT_TRUE(put(user() + "Notebook.txt", "notebook"));

    start();
    for (const int recent_documents : {0, 1}) {
        app_.settings.search_recent_documents = recent_documents;
        for (const std::string text : {"note", "NOTES", "заметки", "σημειώσεις", "lnk", "e"}) {
            SCOPED_TRACE(text + " with SearchRecentDocuments " + std::to_string(recent_documents));
            type(text);
            std::multimap<std::string, std::string> live;  // row text -> original
            for (int row = 0; row < app_.window.list.row_count(); ++row)
                live.emplace(app_.window.list.item_text(row, 0), entry_path(row));
            EXPECT_TRUE(app_.window.list.text().empty());

            show_search_results(app_, app_.settings.my_own_menu, text);
            const std::vector<std::string> command = list_rows();
            ASSERT_FALSE(command.empty());
            for (std::size_t row = 0; row < command.size(); ++row) {
                // One of the live rows of that text is the copy's original.
                const std::string copy = entry_path(static_cast<int>(row));
                if (copy.empty())
                    continue;  // the command found nothing (the live search may)
                const auto link = copy.ends_with(".lnk") ? read_shortcut_resolved(copy)
                                                         : std::optional<LinkFields>();
                bool found = false;
                const auto [first, last] = live.equal_range(command[row]);
                for (auto it = first; it != last && !found; ++it) {
                    const std::string& original = it->second;
                    if (original.ends_with(".url")) {
                        // Converted: the link opens the shortcut's address.
                        found =
                            link && link->arguments.find(original == own() + "Note page.url"
                                                             ? "example.org"
                                                             : "example.net") != std::string::npos;
                    } else {
                        found = read_file(original) == read_file(copy);
                    }
                }
                EXPECT_TRUE(found) << copy;
            }
        }
    }
}

TEST_F(LiveSearchTest, TitleCaptionFlagsAndLocationsFollowTheText) {
    ASSERT_TRUE(put(own() + "Office\\Tools\\Chess.lnk", "x"));
    ASSERT_TRUE(put(common() + "Chess board.lnk", "x"));
    ASSERT_TRUE(put(user() + "Games\\Chess clock.lnk", "x"));
    app_.view.record_launch = 1;
    start();
    type("ches");
    EXPECT_EQ(window_text(app_.main_window), find_text("Program_Name") + " - " + text("TXT00204"));
    EXPECT_EQ(window_text(app_.window.list_caption), text("TXT00204") + " \"ches\"");
    EXPECT_EQ(app_.view.editable, kReadOnlyView);
    EXPECT_EQ(app_.view.tree_selection, -1);
    EXPECT_EQ(app_.view.record_launch, 1);
    // All start with the text: the shorter name first, then in name order.
    EXPECT_EQ(list_rows(), (std::vector<std::string>{"Chess", "Chess board", "Chess clock"}));
    std::vector<ListRow> rows;
    for (int row = 0; row < 3; ++row)
        rows.push_back(*app_.window.list.shown_row(row));
    EXPECT_EQ(rows[0].location, text("TXT00206") + "\\Office\\Tools");
    EXPECT_EQ(rows[1].location, text("TXT00361"));
    EXPECT_EQ(rows[2].location, text("TXT00362") + "\\Games");
    EXPECT_EQ(rows[2].path, user() + "Games\\Chess clock.lnk");

    // The tooltip speaks of the row under the pointer.
    RECT box{};
    box.left = LVIR_LABEL;
    HWND list = app_.window.list.window();
    UpdateWindow(list);  // drawn, as before anyone can point at it
    ASSERT_TRUE(SendMessageW(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&box)));
    ASSERT_EQ(list, GetDlgItem(app_.window.list_container, kFileListControl));
    SendMessageW(list, WM_MOUSEMOVE, 0,
                 MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2));
    EXPECT_EQ(app_.window.list.tooltip_row(), 2);
    NMTTDISPINFOW request{};
    request.hdr.hwndFrom = app_.window.list.tooltip();
    request.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(list, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
    ASSERT_TRUE(request.lpszText);
    EXPECT_EQ(wide_to_utf8(request.lpszText), rows[2].location);
}

TEST_F(LiveSearchTest, NothingMatchingSaysSoAlsoForTheSearchCommand) {
    ASSERT_TRUE(put(own() + "Chess.lnk", "x"));
    start();
    type("zzz");
    EXPECT_EQ(list_rows(), std::vector<std::string>{text("TXT00360") + " \"zzz\""});
    EXPECT_EQ(entry_path(0), "") << "the line is no entry";
    show_search_results(app_, app_.settings.my_own_menu, "zzz");
    EXPECT_EQ(list_rows(), std::vector<std::string>{text("TXT00360") + " \"zzz\""});
    EXPECT_EQ(app_.window.list.text(), app_.folders.recent_search);
    EXPECT_EQ(entry_path(0), "");
}

TEST_F(LiveSearchTest, ClearingTheFieldGoesBackToWhatWasShownBefore) {
    make_fixture_menu();
    show_menu(app_, own(), text("TXT00206"));
    // A folder opened from the tree.
    open_tree_item(app_.view, 1);
    app_.window.tree.select(1);
    open_folder_in_list(app_, app_.folder_table.paths[1]);
    set_view_title(app_, app_.window.tree.selected_text());
    const std::string title = window_text(app_.main_window);
    const std::vector<std::string> rows = list_rows();
    const std::string folder = app_.window.list.text();

    start();
    type("e");
    type("ed");
    ASSERT_EQ(list_rows(), std::vector<std::string>{"Editor"});
    ASSERT_EQ(app_.window.tree.selected(), -1);
    type("");
    EXPECT_EQ(app_.window.list.text(), folder);
    EXPECT_EQ(list_rows(), rows);
    EXPECT_EQ(window_text(app_.main_window), title);
    EXPECT_EQ(app_.window.tree.selected(), 1);
    EXPECT_EQ(app_.view.tree_selection, 1);
    EXPECT_EQ(app_.view.editable, kEditableView);

    // The search command in between: clearing still goes back.
    type("not");
    show_search_results(app_, app_.settings.my_own_menu, "not");
    search_command_shown(app_);
    type("  ");
    EXPECT_EQ(app_.window.list.text(), folder);
    EXPECT_EQ(window_text(app_.main_window), title);

    // Something else shown meanwhile stays when the field is cleared.
    type("not");
    show_bookmarks(app_);
    type("");
    EXPECT_EQ(app_.window.list.text(), app_.folders.bookmarks);
}

TEST_F(LiveSearchTest, AnAnswerToAnOlderTextIsDropped) {
    ASSERT_TRUE(put(own() + "Notes.txt", "x"));
    ASSERT_TRUE(put(own() + "Nothing.lnk", "x"));
    start();
    LiveSearch& live = *app_.live_search;
    // Typing waits 0 ms for its answer, so a quick index may answer "not"
    // within the typing itself; the case here needs that answer still
    // waiting when "note" is typed, so the typing is repeated until it is.
    bool waiting = false;
    for (int attempt = 0; attempt < 20 && !waiting; ++attempt) {
        type("", 0);
        type("not", 0);
        ASSERT_TRUE(live.indexer->wait_for_answer(live.generation, 5000));
        waiting = live.due();
    }
    ASSERT_TRUE(waiting) << "the answer to \"not\" came within the typing 20 times in a row";
    type("note", 0);  // the answer to "not" waits, not taken yet
    live_search_answer_arrived(app_);
    EXPECT_EQ(window_text(app_.window.list_caption).find("\"not\""), std::string::npos)
        << "the answer to \"not\" was shown";
    EXPECT_NE(list_rows(), (std::vector<std::string>{"Notes", "Nothing"}));
    EXPECT_TRUE(settle_live_search(app_, 5000));
    EXPECT_EQ(list_rows(), std::vector<std::string>{"Notes"});
    EXPECT_FALSE(live.due());
}

TEST_F(LiveSearchTest, InputThatActsOnTheListWaitsForTheCurrentAnswer) {
    start();
    type("x", 0);
    LiveSearch& live = *app_.live_search;
    ASSERT_TRUE(live.due());
    const auto message = [this](UINT kind, WPARAM key, HWND to) {
        MSG m{};
        m.hwnd = to;
        m.message = kind;
        m.wParam = key;
        return m;
    };
    HWND field = app_.window.search_field;
    HWND list = app_.window.list.window();
    for (const WPARAM typing : {WPARAM('A'), WPARAM('7'), WPARAM(VK_BACK), WPARAM(VK_SPACE),
                                WPARAM(VK_SHIFT), WPARAM(VK_LEFT), WPARAM(VK_OEM_PERIOD)}) {
        EXPECT_FALSE(input_needs_settled_list(app_, message(WM_KEYDOWN, typing, field))) << typing;
    }
    EXPECT_FALSE(input_needs_settled_list(app_, message(WM_CHAR, 'a', field)));
    EXPECT_FALSE(input_needs_settled_list(app_, message(WM_MOUSEMOVE, 0, list)));
    for (const WPARAM leaving : {WPARAM(VK_RETURN), WPARAM(VK_DOWN), WPARAM(VK_ESCAPE),
                                 WPARAM(VK_TAB), WPARAM(VK_F3), WPARAM(VK_NEXT)}) {
        EXPECT_TRUE(input_needs_settled_list(app_, message(WM_KEYDOWN, leaving, field))) << leaving;
    }
    EXPECT_TRUE(input_needs_settled_list(app_, message(WM_KEYDOWN, 'A', list)));
    EXPECT_TRUE(input_needs_settled_list(app_, message(WM_LBUTTONDOWN, 0, list)));
    EXPECT_TRUE(input_needs_settled_list(app_, message(WM_RBUTTONDOWN, 0, list)));
    EXPECT_TRUE(input_needs_settled_list(app_, message(WM_SYSKEYDOWN, VK_LEFT, field)));

    settle_before_input(app_, message(WM_LBUTTONDOWN, 0, list));
    EXPECT_FALSE(live.due());
    EXPECT_FALSE(input_needs_settled_list(app_, message(WM_LBUTTONDOWN, 0, list)));
}

TEST_F(LiveSearchTest, WhatIsStartedMoreComesFirstWithinItsTierUntilTheCountsAreCleared) {
    for (const char* name : {"Notes one.lnk", "Notes two.lnk", "Notes three.lnk"})
        ASSERT_TRUE(put(own() + name, "x"));
    ASSERT_TRUE(put(own() + "Notes.lnk", "x"));
    start();
    type("notes");
    EXPECT_EQ(list_rows(),
              (std::vector<std::string>{"Notes", "Notes one", "Notes two", "Notes three"}));
    count_launch(app_, own() + "Notes three.lnk", 1000);
    count_launch(app_, own() + "Notes two.lnk", 1000);
    count_launch(app_, own() + "Notes three.lnk", 2000);
    type("note");
    // The whole name equal to the text stays above every count.
    EXPECT_EQ(list_rows(),
              (std::vector<std::string>{"Notes three", "Notes two", "Notes", "Notes one"}));
    // The counts are in the data folder, and a new run reads them.
    const std::string saved = read_file(app_.folders.usage_file).value_or("");
    EXPECT_EQ(LaunchUsage::parse(saved).entries().size(), 2u);
    app_.live_search.reset();
    app_.launch_usage.clear();
    start();
    EXPECT_EQ(app_.launch_usage.entries().size(), 2u);

    clear_launch_counts(app_);
    EXPECT_TRUE(LaunchUsage::parse(read_file(app_.folders.usage_file).value_or("x")).empty());
    type("notes");
    EXPECT_EQ(list_rows(),
              (std::vector<std::string>{"Notes", "Notes one", "Notes two", "Notes three"}));
    // Launches are not kept at all: not counted either.
    app_.settings.keep_recent_objects_days = 0;
    count_launch(app_, own() + "Notes three.lnk", 3000);
    EXPECT_TRUE(app_.launch_usage.empty());
}

TEST_F(LiveSearchTest, ADamagedHugeOrMissingCountsFileStartsEmptyAndIsWrittenAfresh) {
    ASSERT_TRUE(put(own() + "Chess.lnk", "x"));
    for (const std::string& damaged :
         {std::string("Trevalon launch counts 1\r\n3\t100\t3000000\tChess.lnk\r\n"),
          std::string("\xFF\xFE garbage"), std::string(4u << 20, 'x'), std::string()}) {
        ASSERT_TRUE(write_file(app_.folders.usage_file, damaged));
        app_.live_search.reset();
        app_.launch_usage.clear();
        start();
        EXPECT_TRUE(app_.launch_usage.empty());
        type("ches");
        EXPECT_EQ(list_rows(), std::vector<std::string>{"Chess"});
    }
    delete_file(app_.folders.usage_file);
    app_.live_search.reset();
    start();
    EXPECT_TRUE(app_.launch_usage.empty());
    count_launch(app_, own() + "Chess.lnk", 1000);
    EXPECT_EQ(LaunchUsage::parse(read_file(app_.folders.usage_file).value_or("")).entries().size(),
              1u);
}

}  // namespace
}  // namespace trevalon
