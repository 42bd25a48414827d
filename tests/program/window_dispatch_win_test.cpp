// The real main window driven the way a user drives it: messages and control
// events through the event loop, the pointer on the tree, the two context
// menus, and drops of real OLE data objects onto the registered targets.
// Message and input boxes are answered by the scripted dialogs.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "commands/system_commands_win.h"
#include "platform/clipboard_win.h"
#include "platform/file_ops_win.h"
#include "platform/shortcut_win.h"
#include "platform/wide_win.h"
#include "program/dispatch_win.h"
#include "program/drop_targets_win.h"
#include "program/event_loop_win.h"
#include "support/http_test_server.h"
#include "support/ole_data_win.h"
#include "support/test_app_win.h"
#include "support/test_links_win.h"
#include "support/wait_win.h"
#include "texts/text_table.h"
#include "window/list_views_win.h"
#include "window/live_search_win.h"
#include "window/main_window_win.h"
#include "window/settings_window_win.h"
#include "window/window_events_win.h"
#include "window/key_map.h"
#include "window/window_numbers.h"

namespace trevalon {
namespace {

using namespace std::chrono_literals;

// The rows every command of the window must have: the menus and lists, the
// tool and help menus, the system commands, the Return key, the two context
// menus and the message of a pinning that did not take.
std::set<int> expected_commands() {
    std::set<int> numbers{1, 2, 3, 4, 6, 7, 8, 9, 11, 12, 13, 44, 100};
    for (int n = 15; n <= 20; ++n)
        numbers.insert(n);
    for (int n = 22; n <= 28; ++n)
        numbers.insert(n);
    for (const int n : {30, 31, 32, 33, 35, 36})
        numbers.insert(n);
    for (int n = 38; n <= 43; ++n)
        numbers.insert(n);
    for (int n = 46; n <= 53; ++n)
        numbers.insert(n);
    numbers.insert(55);
    for (int n = 59; n <= 70; ++n)
        numbers.insert(n);
    for (int n = 80; n <= 89; ++n)  // raised by keys only
        numbers.insert(n);
    numbers.insert(kSearchEnterCommand);
    numbers.insert(kShowInFolderCommand);
    for (int n = kBookmarksKeyCommand; n <= kPressButtonCommand; ++n)
        numbers.insert(n);
    return numbers;
}

TEST(CommandTables, EveryCommandHasOneRowWithItsCaption) {
    if (!texts().contains("Program_Name"))
        load_builtin_texts(texts());
    std::set<int> seen;
    for (const auto rows :
         {main_command_rows(), system_command_rows(), key_command_rows(), search_command_rows()}) {
        for (const CommandEntry& row : rows) {
            EXPECT_TRUE(seen.insert(row.command).second) << "twice: " << row.command;
            EXPECT_EQ(find_command(row.command), &row) << row.command;
            if (row.command == 44) {
                EXPECT_TRUE(row.text_key.empty());
            } else {
                EXPECT_FALSE(find_text(std::string(row.text_key)).empty()) << row.command;
            }
            // Only the two closing items of the context menus do nothing.
            EXPECT_EQ(row.handler == nullptr, row.command == 53 || row.command == 69)
                << row.command;
        }
    }
    EXPECT_EQ(seen, expected_commands());
    EXPECT_EQ(find_command(5), nullptr);
    EXPECT_EQ(find_command(45), nullptr);
    EXPECT_EQ(find_command(46)->text_key, "TXT00100");
    EXPECT_EQ(find_command(68)->text_key, "TXT00120");
}

// Notes the enabled items of the popup menu that is open, then closes it.
std::map<UINT, bool>& seen_menu() {
    static std::map<UINT, bool> items;
    return items;
}
std::map<UINT, std::string>& seen_captions() {
    static std::map<UINT, std::string> captions;
    return captions;
}

void CALLBACK note_and_close_menu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND popup = FindWindowW(L"#32768", nullptr);
    if (!popup || !IsWindowVisible(popup))
        return;
    KillTimer(nullptr, timer);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        const UINT id = GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;
        seen_menu()[id] = !(GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
        wchar_t caption[256] = {};
        GetMenuStringW(menu, id, caption, 256, MF_BYCOMMAND);
        seen_captions()[id] = wide_to_utf8(caption);
    }
    EndMenu();
}

std::set<UINT> enabled_items() {
    std::set<UINT> enabled;
    for (const auto& [id, on] : seen_menu()) {
        if (on)
            enabled.insert(id);
    }
    return enabled;
}

// Whether some window's drawing is suspended: only one window at a time can
// be, so the probe cannot be while the main window is.
bool drawing_suspended(HWND probe) {
    if (!LockWindowUpdate(probe))
        return true;
    LockWindowUpdate(nullptr);
    return false;
}

// Watches the file list: each time it is emptied to be filled again, notes
// whether the wait cursor showed and the window's drawing was suspended.
class ListRefills {
  public:
    ListRefills(HWND list, HCURSOR wait) : list_(list), wait_(wait) {
        probe_ = CreateWindowExW(0, L"STATIC", L"probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
        current() = this;
        original_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watch)));
    }
    ~ListRefills() {
        SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        current() = nullptr;
        DestroyWindow(probe_);
    }
    void reset() { framed = unframed = 0; }
    bool suspended() const { return drawing_suspended(probe_); }

    int framed = 0;
    int unframed = 0;

  private:
    static ListRefills*& current() {
        static ListRefills* watching = nullptr;
        return watching;
    }
    static LRESULT CALLBACK watch(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        ListRefills* self = current();
        if (message == LVM_DELETEALLITEMS) {
            const bool framed = GetCursor() == self->wait_ && self->suspended();
            ++(framed ? self->framed : self->unframed);
        }
        return CallWindowProcW(self->original_, window, message, wparam, lparam);
    }

    HWND list_;
    HCURSOR wait_;
    HWND probe_ = nullptr;
    WNDPROC original_ = nullptr;
};

class WindowDispatch : public testing::Test {
  protected:
    void SetUp() override {
        ole_ = SUCCEEDED(OleInitialize(nullptr));
        ASSERT_TRUE(ole_);
        ASSERT_TRUE(app().main_window);
        root_ = app().view.menu_root;
        // Start-up prepares these.
        for (const std::string* folder :
             {&app().folders.recent_programs, &app().folders.bookmarks,
              &app().folders.recent_documents, &app().folders.recent_search}) {
            create_folders(*folder);
        }
        {
            ComInit com;
            target_ = test_app_.dir().write_file("Programs\\tool.exe", "MZ");
            ASSERT_TRUE(test::make_test_link(root_ + "a.lnk", target_));
            ASSERT_TRUE(test::make_test_link(root_ + "Games\\chess.lnk", target_));
            create_folders(root_ + "Office");
        }
        show_menu(app(), root_, app().view.caption);
        register_drop_targets(app());
        ASSERT_EQ(app().drop_targets.size(), 3u);
        test::pump_messages();
    }
    void TearDown() override {
        app().drop_targets.clear();
        if (ole_)
            OleUninitialize();
    }

    App& app() { return test_app_.app(); }
    test::ScriptedDialogs& dialogs() { return test_app_.dialogs; }

    // Runs the loop over everything queued, then ends it.
    void run_queued() {
        PostQuitMessage(0);
        run_event_loop(app());
    }
    void command(int number) {
        PostMessageW(app().main_window, WM_COMMAND, static_cast<WPARAM>(number), 0);
        run_queued();
    }
    // A command as a key of the key map raises it.
    void key_command(int number, bool menu_gated = false) {
        Event event;
        event.kind = EventKind::kCommand;
        event.command = number;
        event.menu_gated = menu_gated;
        post_event(app(), event);
        run_queued();
    }
    void control_event(int control, int type) {
        Event event;
        event.kind = EventKind::kControl;
        event.control = control;
        event.type = type;
        post_event(app(), event);
        run_queued();
    }
    // Runs a control event that opens a popup menu; notes the menu's items.
    // Dispatched directly: the menu's own loop would take a quit message
    // meant for the event loop.
    void menu_event(int control, int type) {
        seen_menu().clear();
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, note_and_close_menu);
        Event event;
        event.kind = EventKind::kControl;
        event.control = control;
        event.type = type;
        dispatch_event(app(), event);
        KillTimer(nullptr, timer);
        run_queued();
    }

    int tree_item(const std::string& folder) const {
        const auto& paths = app_const().folder_table.paths;
        const auto found = std::find(paths.begin(), paths.end(), folder);
        return found == paths.end() ? -1 : static_cast<int>(found - paths.begin());
    }
    const App& app_const() const { return const_cast<WindowDispatch*>(this)->app(); }

    // The screen point in the middle of a tree item's text.
    POINT tree_point(int item) {
        RECT box{};
        const FolderTree& tree = app().window.tree;
        EXPECT_TRUE(TreeView_GetItemRect(tree.window(), tree.item_handle(item), &box, TRUE));
        POINT at{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
        ClientToScreen(tree.window(), &at);
        return at;
    }
    // A click as the tree reports it: the tree has selected the item under
    // the pointer, then the loop takes the click.
    void click_tree(int item, int type = kLeftClick) {
        const POINT at = tree_point(item);
        SetCursorPos(at.x, at.y);
        if (type == kLeftClick)
            app().window.tree.select(item);
        if (type == kRightClick) {
            menu_event(kFolderTreeControl, type);
        } else {
            control_event(kFolderTreeControl, type);
        }
    }
    // The pointer well below the last item, where no item is.
    void point_below_tree_items() {
        RECT client{};
        GetClientRect(app().window.tree.window(), &client);
        POINT at{client.right / 2, client.bottom - 10};
        ClientToScreen(app().window.tree.window(), &at);
        SetCursorPos(at.x, at.y);
    }

    int list_row(const std::string& name) {
        const auto& names = app().entry_names.names;
        const auto found = std::find(names.begin(), names.end(), name);
        return found == names.end() ? -1 : static_cast<int>(found - names.begin());
    }
    void select_row(int row) {
        HWND list = app().window.list.window();
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (row >= 0)
            ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
    }
    void right_click_row(const std::string& name) {
        const int row = list_row(name);
        ASSERT_GE(row, 0) << name;
        select_row(row);
        menu_event(kFileListControl, kRightClick);
    }
    std::string title() { return window_text(app().main_window); }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const test::DialogCall& call : test_app_.dialogs.calls()) {
            if (!call.input && !call.folder_chooser)
                texts.push_back(call.text);
        }
        return texts;
    }

    // Drops a data object at a screen point onto a registered target.
    void drop(int control, IDataObject* data, POINT at, DWORD key_state = 0) {
        for (auto& registration : app().drop_targets) {
            if (GetDlgCtrlID(registration->window()) != control &&
                !(control == kFolderTreeControl &&
                  registration->window() == app().window.tree.window()) &&
                !(control == kFileListControl &&
                  registration->window() == app().window.list.window()) &&
                !(control == kBookmarksButton &&
                  registration->window() == app().window.bookmarks_button)) {
                continue;
            }
            IDropTarget* target = registration->target();
            DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
            ASSERT_EQ(target->DragEnter(data, key_state, POINTL{at.x, at.y}, &effect), S_OK);
            effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
            ASSERT_EQ(target->Drop(data, key_state, POINTL{at.x, at.y}, &effect), S_OK);
            run_queued();
            return;
        }
        ADD_FAILURE() << "no drop target for control " << control;
    }
    POINT centre_of(HWND window) {
        RECT box{};
        GetWindowRect(window, &box);
        return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    }

    test::TestApp test_app_{TREVALON_EXE_PATH};
    bool ole_ = false;
    std::string root_;
    std::string target_;
};

TEST_F(WindowDispatch, AFolderOpensFromTheTreeAndTheBackButtonTogglesBetweenTheLastTwo) {
    const int games = tree_item(root_ + "Games");
    const int office = tree_item(root_ + "Office");
    ASSERT_GT(games, 0);
    ASSERT_GT(office, 0);

    click_tree(games);
    EXPECT_EQ(app().window.list.text(), root_ + "Games\\");
    EXPECT_EQ(app().view.tree_selection, games);
    EXPECT_NE(title().find(" - Games"), std::string::npos) << title();
    click_tree(office);
    EXPECT_EQ(app().window.list.text(), root_ + "Office\\");

    control_event(kBackButton, kLeftClick);
    EXPECT_EQ(app().window.list.text(), root_ + "Games\\");
    EXPECT_EQ(app().window.tree.selected(), games);
    control_event(kBackButton, kLeftClick);
    EXPECT_EQ(app().window.list.text(), root_ + "Office\\");
    EXPECT_EQ(app().window.tree.selected(), office);

    // A click beside every item changes no folder; the tree keeps showing the
    // folder of the list.
    point_below_tree_items();
    control_event(kFolderTreeControl, kLeftClick);
    EXPECT_EQ(app().view.tree_selection, -1);
    EXPECT_EQ(app().window.tree.selected(), office);
    EXPECT_EQ(app().window.list.text(), root_ + "Office\\");

    // A list leaves the tree; back reopens the folder shown last.
    control_event(kBookmarksButton, kLeftClick);
    EXPECT_EQ(app().window.list.text(), app().folders.bookmarks);
    EXPECT_EQ(app().window.tree.selected(), -1);
    EXPECT_EQ(app().view.record_launch, 1);
    control_event(kBackButton, kLeftClick);
    EXPECT_EQ(app().window.list.text(), root_ + "Office\\");
}

TEST_F(WindowDispatch, ALaunchIsRecordedAndALaunchFromRecentProgramsOnlyRefreshesItsTime) {
    const std::string recorded = app().folders.recent_programs + "a.lnk";
    select_row(list_row("a.lnk"));
    control_event(kFileListControl, kLeftClick);
    ASSERT_EQ(test_app_.launcher.records.size(), 1u);
    EXPECT_EQ(test_app_.launcher.records[0].kind, "open");
    EXPECT_EQ(test_app_.launcher.records[0].program, root_ + "a.lnk");
    ASSERT_TRUE(is_file(recorded));
    EXPECT_EQ(file_write_time(recorded), test_app_.clock.now_seconds());

    // The original changes; the recorded copy must not be replaced by it.
    {
        ComInit com;
        ASSERT_TRUE(test::make_test_link(root_ + "a.lnk", target_, "--changed"));
    }
    const auto recorded_content = read_file(recorded);
    command(3);
    EXPECT_EQ(app().window.list.text(), app().folders.recent_programs);
    EXPECT_EQ(app().view.record_launch, 0);
    test_app_.clock.advance(3600);
    select_row(list_row("a.lnk"));
    control_event(kFileListControl, kLeftClick);
    ASSERT_EQ(test_app_.launcher.records.size(), 2u);
    EXPECT_EQ(test_app_.launcher.records[1].program, recorded);
    EXPECT_EQ(file_write_time(recorded), test_app_.clock.now_seconds());
    EXPECT_EQ(read_file(recorded), recorded_content);
    EXPECT_EQ(files_in(app().folders.recent_programs).size(), 1u);

    // Double clicks do not launch while the setting names the single click.
    select_row(list_row("a.lnk"));
    control_event(kFileListControl, kLeftDoubleClick);
    EXPECT_EQ(test_app_.launcher.records.size(), 2u);
}

TEST_F(WindowDispatch, TheTreeMenuMakesRenamesAndDeletesFolders) {
    // On no item: only a new folder in the own menu, show again, and close.
    point_below_tree_items();
    menu_event(kFolderTreeControl, kRightClick);
    EXPECT_EQ(enabled_items(), (std::set<UINT>{46, 52, 53}));
    EXPECT_TRUE(app().view.selected_folder.path.empty());

    // A name the menu has already: refused, and that folder is shown.
    dialogs().answer_input("Games");
    command(46);
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages().back().rfind(text("TXT00221"), 0), 0u) << messages().back();
    EXPECT_EQ(app().window.list.text(), root_ + "Games\\");

    dialogs().answer_input("Rock & Pop");
    command(46);
    click_tree(0, kRightClick);
    // The "&" shows as itself, not as an underline.
    EXPECT_EQ(seen_captions()[70], text("TXT00303") + " \"Rock && Pop\"\tCtrl+Z");
    dialogs().answer_input("Music");
    command(46);
    EXPECT_TRUE(is_directory(root_ + "Music"));
    const int music = tree_item(root_ + "Music");
    ASSERT_GT(music, 0);
    EXPECT_EQ(app().window.tree.selected(), music);
    EXPECT_EQ(app().window.list.text(), root_ + "Music\\");

    // On an item: everything; rename, then delete it. Undo names the new folder.
    click_tree(music, kRightClick);
    EXPECT_EQ(enabled_items(), (std::set<UINT>{46, 47, 48, 49, 50, 51, 52, 53, 70}));
    EXPECT_EQ(seen_captions()[70], text("TXT00303") + " \"Music\"\tCtrl+Z");
    EXPECT_EQ(app().view.selected_folder.path, root_ + "Music\\");
    dialogs().answer_input("Songs");
    command(49);
    EXPECT_FALSE(is_directory(root_ + "Music"));
    EXPECT_TRUE(is_directory(root_ + "Songs"));
    const int songs = tree_item(root_ + "Songs");
    ASSERT_GT(songs, 0);

    click_tree(songs, kRightClick);
    dialogs().answer_message(IDYES);
    command(48);
    EXPECT_FALSE(is_directory(root_ + "Songs"));
    EXPECT_EQ(tree_item(root_ + "Songs"), -1);

    // The root item may not be deleted or renamed; Undo brings the folder
    // back into the tree and shows it.
    click_tree(0, kRightClick);
    EXPECT_EQ(enabled_items(), (std::set<UINT>{46, 47, 50, 51, 52, 53, 70}));
    EXPECT_EQ(seen_captions()[70], text("TXT00301") + " \"Songs\"\tCtrl+Z");
    command(70);
    EXPECT_TRUE(is_directory(root_ + "Songs"));
    EXPECT_GT(tree_item(root_ + "Songs"), 0);
    EXPECT_EQ(app().window.list.text(), root_ + "Songs\\");

    // In the Windows menu nothing of the tree may be changed, even after a
    // list that may be changed was shown.
    command(2);
    command(3);
    point_below_tree_items();
    menu_event(kFolderTreeControl, kRightClick);
    EXPECT_EQ(enabled_items(), (std::set<UINT>{52, 53, 70}));
}

TEST_F(WindowDispatch, TheListMenuCopiesPastesRenamesAndDeletesEntries) {
    right_click_row("a.lnk");
    // A link to a program: everything for an entry, pin included.
    EXPECT_EQ(enabled_items(), (std::set<UINT>{59, 60, 62, 63, 64, 65, 66, 67, 68, 69}));
    EXPECT_EQ(app().view.selected_entry.path, root_ + "a.lnk");
    command(59);
    ASSERT_EQ(clipboard_file_count(), 1);

    // Pasted into a folder that holds a.lnk and a (1).lnk already.
    const std::string games = root_ + "Games\\";
    copy_file(root_ + "a.lnk", games + "a.lnk");
    copy_file(root_ + "a.lnk", games + "a (1).lnk");
    click_tree(tree_item(root_ + "Games"));
    select_row(-1);
    menu_event(kFileListControl, kRightClick);
    EXPECT_EQ(enabled_items(), (std::set<UINT>{55, 61, 68, 69}));
    command(61);
    EXPECT_TRUE(is_file(games + "a (2).lnk"));
    EXPECT_TRUE(is_file(games + "a.lnk"));
    EXPECT_GE(list_row("a (2).lnk"), 0);

    // Rename, then a name that is taken is refused.
    right_click_row("a (2).lnk");
    dialogs().answer_input("b");
    command(63);
    EXPECT_TRUE(is_file(games + "b.lnk"));
    EXPECT_FALSE(is_file(games + "a (2).lnk"));
    right_click_row("b.lnk");
    dialogs().answer_input("a");
    command(63);
    EXPECT_TRUE(is_file(games + "b.lnk"));
    EXPECT_EQ(messages().back().rfind(text("TXT00234"), 0), 0u) << messages().back();

    // Deleted (this prefix has no Recycle Bin, so after a question), then
    // back with Undo.
    const std::optional<std::string> bytes = read_file(games + "b.lnk");
    right_click_row("b.lnk");
    dialogs().answer_message(IDYES);
    command(62);
    EXPECT_FALSE(is_file(games + "b.lnk"));
    EXPECT_EQ(list_row("b.lnk"), -1);
    command(70);
    EXPECT_EQ(read_file(games + "b.lnk"), bytes);
    EXPECT_GE(list_row("b.lnk"), 0);

    // Six files ask first; No pastes nothing.
    std::vector<std::string> six;
    for (int i = 0; i < 6; ++i)
        six.push_back(test_app_.dir().write_file("Six\\f" + std::to_string(i) + ".txt", "x"));
    ASSERT_TRUE(copy_files_to_clipboard(six, app().main_window));
    const std::size_t before = files_in(games).size();
    dialogs().answer_message(IDNO);
    command(61);
    EXPECT_EQ(messages().back(), text("TXT00232"));
    EXPECT_EQ(files_in(games).size(), before);

    // In the recent documents nothing may be changed.
    command(4);
    select_row(-1);
    menu_event(kFileListControl, kRightClick);
    EXPECT_EQ(enabled_items(), (std::set<UINT>{68, 69, 70}));
}

TEST_F(WindowDispatch, DropsOfRealDataObjectsImportIntoTheFolderDroppedOn) {
    HWND list = app().window.list.window();
    const std::string tools = test_app_.dir().make_dir("Tools");
    const std::string run = test_app_.dir().write_file("Tools\\run.cmd", "@echo off");
    const std::string empty_url = test_app_.dir().write_file("Empty.url", "");

    // A folder, a file and an empty internet shortcut onto the list.
    drop(kFileListControl, test::data_object_with_files({tools, run, empty_url}).get(),
         centre_of(list));
    EXPECT_TRUE(is_file(root_ + "Tools.lnk"));
    ASSERT_TRUE(is_file(root_ + "run.lnk"));
    EXPECT_FALSE(is_file(root_ + "Empty.url"));
    {
        ComInit com;
        const auto contents = read_shortcut_contents(root_ + "run.lnk");
        ASSERT_TRUE(contents);
        EXPECT_EQ(with_backslash(contents->working_directory), with_backslash(tools));
    }
    EXPECT_GE(list_row("Tools.lnk"), 0);

    // Onto a tree item: into that folder, which the list then shows.
    const int office = tree_item(root_ + "Office");
    drop(kFolderTreeControl, test::data_object_with_files({run}).get(), tree_point(office));
    EXPECT_TRUE(is_file(root_ + "Office\\run.lnk"));
    EXPECT_EQ(app().window.list.text(), root_ + "Office\\");

    // The bookmarks button takes files in the own menu.
    drop(kBookmarksButton, test::data_object_with_files({root_ + "a.lnk"}).get(),
         centre_of(app().window.bookmarks_button));
    EXPECT_TRUE(is_file(app().folders.bookmarks + "a.lnk"));

    // A text onto the list becomes a bookmark there (named from the address
    // without the network).
    app().settings.allow_internet_access = 0;
    drop(kFileListControl, test::data_object_with_text("https://example.org/docs/").get(),
         centre_of(list));
    EXPECT_EQ(files_in(root_ + "Office\\").size(), 2u);

    // The Windows menu refuses drops on the tree and the list, but the
    // bookmarks button still takes them.
    command(2);
    const std::size_t said = messages().size();
    drop(kFileListControl, test::data_object_with_files({run}).get(), centre_of(list));
    drop(kFolderTreeControl, test::data_object_with_files({run}).get(), tree_point(0));
    ASSERT_EQ(messages().size(), said + 2);
    EXPECT_EQ(messages()[said], text("TXT00243"));
    EXPECT_EQ(app().window.tree.selected(), -1);
    EXPECT_FALSE(is_file(app().folders.windows_menu + "run.lnk"));
    drop(kBookmarksButton, test::data_object_with_files({run}).get(),
         centre_of(app().window.bookmarks_button));
    EXPECT_TRUE(is_file(app().folders.bookmarks + "run.lnk"));
}

TEST_F(WindowDispatch, KeysRunTheirCommandsAsFarAsTheMenusOfferThem) {
    HWND list = app().window.list.window();
    // Enter starts the selected entry in the single-click mode too.
    ASSERT_EQ(app().settings.explorer_list_click_event, 0);
    select_row(list_row("a.lnk"));
    key_command(kLaunchFocusedCommand);
    ASSERT_EQ(test_app_.launcher.records.size(), 1u);
    EXPECT_EQ(test_app_.launcher.records[0].program, root_ + "a.lnk");

    // Delete runs the entry menu's command only where the menu offers it:
    // not in the read-only search results, then in the own menu.
    set_window_text(app().window.search_field, "chess");
    command(1);
    SetFocus(app().window.search_field);
    command(44);
    ASSERT_EQ(app().view.editable, kReadOnlyView);
    select_row(list_row("chess.lnk"));
    SetFocus(list);
    key_command(62, true);
    EXPECT_TRUE(is_file(root_ + "Games\\chess.lnk"));
    command(1);
    select_row(list_row("a.lnk"));
    SetFocus(list);
    // This prefix has no Recycle Bin: the delete asks first.
    dialogs().answer_message(IDYES);
    key_command(62, true);
    EXPECT_FALSE(is_file(root_ + "a.lnk"));
    // Without the focus in the list a gated key does nothing.
    {
        ComInit com;
        ASSERT_TRUE(test::make_test_link(root_ + "b.lnk", target_));
    }
    command(68);
    select_row(list_row("b.lnk"));
    SetFocus(app().window.search_field);
    key_command(62, true);
    EXPECT_TRUE(is_file(root_ + "b.lnk"));

    // The tree's keyboard selection opens as a click would; back returns.
    const int games = tree_item(root_ + "Games");
    const int office = tree_item(root_ + "Office");
    app().window.tree.select(games);
    key_command(kOpenTreeSelectionCommand);
    EXPECT_EQ(app().window.list.text(), root_ + "Games\\");
    EXPECT_NE(title().find(" - Games"), std::string::npos) << title();
    app().window.tree.select(office);
    key_command(kOpenTreeSelectionCommand);
    key_command(kBackCommand);
    EXPECT_EQ(app().window.list.text(), root_ + "Games\\");
}

TEST_F(WindowDispatch, EscClearsTheSearchTextThenHidesAndTheHotkeyBringsItBack) {
    HWND window = app().main_window;
    HWND field = app().window.search_field;
    set_window_text(field, "note");
    SetFocus(field);
    key_command(kEscapeCommand);
    EXPECT_EQ(window_text(field), "");
    EXPECT_TRUE(IsWindowVisible(window));
    key_command(kEscapeCommand);
    EXPECT_TRUE(IsIconic(window));
    key_command(kShowOrHideCommand);
    EXPECT_TRUE(test::wait_until([&] { return !IsIconic(window) && IsWindowVisible(window); }));

    // When closing would end the program, Esc hides the window and the
    // program goes on.
    app().settings.window_close_to_tab_bar = 0;
    SetFocus(app().window.list.window());
    key_command(kEscapeCommand);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(app().end_requested);
    key_command(kShowOrHideCommand);
    EXPECT_TRUE(test::wait_until([&] { return IsWindowVisible(window) != FALSE; }));
}

TEST_F(WindowDispatch, SearchCloseAndTheSettingsWindowsKeys) {
    // The search button with an empty field says so; with a text it searches.
    control_event(kSearchButton, kLeftClick);
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages().back(), text("TXT00135"));
    set_window_text(app().window.search_field, "  chess ");
    control_event(kSearchButton, kLeftClick);
    EXPECT_EQ(app().window.list.text(), app().folders.recent_search);
    EXPECT_GE(list_row("chess.lnk"), 0);
    EXPECT_EQ(app().view.editable, kReadOnlyView);

    // Return searches only from the search field (where the focus lands
    // when the window comes forward).
    command(1);
    SetFocus(app().window.tree.window());
    command(44);
    EXPECT_EQ(app().window.list.text(), root_);
    SetFocus(app().window.search_field);
    command(44);
    EXPECT_EQ(app().window.list.text(), app().folders.recent_search);

    // The settings window: Esc closes it (applying), Enter confirms.
    for (const WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        command(25);
        ASSERT_TRUE(app().settings_window) << key;
        HWND window = app().settings_window;
        HWND focus = GetFocus();
        ASSERT_TRUE(focus && (focus == window || IsChild(window, focus)));
        PostMessageW(focus, WM_KEYDOWN, key, 0);
        run_queued();
        EXPECT_FALSE(IsWindow(window)) << key;
        EXPECT_EQ(app().settings_window, nullptr) << key;
    }
    // Tab moves the focus on.
    command(25);
    ASSERT_TRUE(app().settings_window);
    HWND first = GetFocus();
    PostMessageW(first, WM_KEYDOWN, VK_TAB, 0);
    run_queued();
    EXPECT_NE(GetFocus(), first);
    EXPECT_TRUE(IsChild(app().settings_window, GetFocus()));

    // Closing minimises while the setting says so; Exit ends the loop.
    PostMessageW(app().main_window, WM_CLOSE, 0, 0);
    run_queued();
    EXPECT_TRUE(IsIconic(app().main_window));
    PostMessageW(app().main_window, WM_COMMAND, 13, 0);
    run_queued();
    EXPECT_TRUE(app().end_requested);
    MSG left;
    ASSERT_TRUE(PeekMessageW(&left, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(WindowDispatch, EveryChangeOfTheViewShowsTheWaitCursorAndSuspendsDrawing) {
    const HCURSOR wait = app().ui.cursors.wait;
    ASSERT_TRUE(wait);
    ListRefills refills(app().window.list.window(), wait);
    const auto expect_framed = [&](const char* what, const std::function<void()>& act) {
        refills.reset();
        act();
        EXPECT_GT(refills.framed + refills.unframed, 0) << what << ": the list was not refilled";
        EXPECT_EQ(refills.unframed, 0) << what;
        EXPECT_NE(GetCursor(), wait) << what << ": the wait cursor stayed";
        EXPECT_FALSE(refills.suspended()) << what << ": drawing stayed suspended";
    };
    const std::string games = root_ + "Games\\";
    click_tree(tree_item(root_ + "Games"));

    ASSERT_TRUE(copy_files_to_clipboard({root_ + "a.lnk"}, app().main_window));
    expect_framed("paste", [&] { command(61); });
    ASSERT_TRUE(is_file(games + "a.lnk"));
    right_click_row("a.lnk");
    expect_framed("cut", [&] { command(60); });
    expect_framed("paste after a cut", [&] { command(61); });
    right_click_row("a.lnk");
    dialogs().answer_input("b");
    expect_framed("rename", [&] { command(63); });
    right_click_row("b.lnk");
    dialogs().answer_message(IDYES);  // no Recycle Bin in this prefix: it asks
    expect_framed("delete", [&] { command(62); });
    expect_framed("undo", [&] { command(70); });
    expect_framed("new shortcut", [&] { command(55); });

    dialogs().answer_input("Music");
    expect_framed("new folder", [&] { command(46); });
    click_tree(tree_item(root_ + "Music"), kRightClick);
    dialogs().answer_input("Jazz");
    expect_framed("new folder inside", [&] { command(47); });
    click_tree(tree_item(root_ + "Music"), kRightClick);
    dialogs().answer_input("Songs");
    expect_framed("rename folder", [&] { command(49); });
    click_tree(tree_item(root_ + "Songs"), kRightClick);
    dialogs().answer_message(IDYES);
    expect_framed("delete folder", [&] { command(48); });

    const std::string run = test_app_.dir().write_file("Tools\\run.cmd", "@echo off");
    expect_framed("drop on the list", [&] {
        drop(kFileListControl, test::data_object_with_files({run}).get(),
             centre_of(app().window.list.window()));
    });
    expect_framed("drop on the tree", [&] {
        drop(kFolderTreeControl, test::data_object_with_files({run}).get(),
             tree_point(tree_item(root_ + "Office")));
    });
    EXPECT_TRUE(is_file(root_ + "Office\\run.lnk"));
}

// Notes what the pointer shows over the list while a bookmark's look-ups run.
struct DuringTheWait {
    HWND list = nullptr;
    HWND main = nullptr;
    HCURSOR wait = nullptr;
    HWND probe = nullptr;
    int samples = 0;
    int wait_cursor = 0;
    int painting = 0;
};
DuringTheWait* during = nullptr;

void CALLBACK sample_the_wait(HWND, UINT, UINT_PTR, DWORD) {
    // Only while the window waits for the look-ups (it is disabled then).
    if (!during || IsWindowEnabled(during->main))
        return;
    ++during->samples;
    // The pointer moving over the list asks for its cursor.
    SendMessageW(during->list, WM_SETCURSOR, reinterpret_cast<WPARAM>(during->list),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    if (GetCursor() == during->wait)
        ++during->wait_cursor;
    if (!drawing_suspended(during->probe))
        ++during->painting;
}

TEST_F(WindowDispatch, WhileADroppedAddressIsLookedUpTheWindowPaintsAndShowsTheWaitCursor) {
    test::HttpTestServer server;
    ASSERT_TRUE(server.ok());
    server.answer("/s2/favicons", test::HttpAnswer().with_status(404).after(1500ms));
    app().network.favicon_service = server.base();
    app().network.powershell = test_app_.dir().str() + "no-powershell.exe";
    app().settings.allow_internet_access = 1;

    DuringTheWait seen;
    seen.list = app().window.list.window();
    seen.main = app().main_window;
    seen.wait = app().ui.cursors.wait;
    ASSERT_TRUE(seen.wait);
    seen.probe = CreateWindowExW(0, L"STATIC", L"probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    during = &seen;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, sample_the_wait);
    drop(kFileListControl, test::data_object_with_text("https://example.org/page").get(),
         centre_of(seen.list));
    KillTimer(nullptr, timer);
    during = nullptr;
    DestroyWindow(seen.probe);

    EXPECT_FALSE(server.requests().empty());
    ASSERT_GT(seen.samples, 3);
    EXPECT_EQ(seen.wait_cursor, seen.samples);
    EXPECT_EQ(seen.painting, seen.samples);
    EXPECT_NE(GetCursor(), seen.wait);
    EXPECT_TRUE(IsWindowEnabled(app().main_window));
    EXPECT_EQ(files_in(root_).size(), 2u);  // a.lnk and the bookmark
}

TEST_F(WindowDispatch, OnEmptyTreeSpaceANewFolderIsOfferedOnlyWhileTheListShownMayBeChanged) {
    // Recent documents and search results may not be changed, though the
    // tree still shows the own menu.
    command(4);
    point_below_tree_items();
    menu_event(kFolderTreeControl, kRightClick);
    EXPECT_EQ(enabled_items(), (std::set<UINT>{52, 53}));
    set_window_text(app().window.search_field, "chess");
    control_event(kSearchButton, kLeftClick);
    ASSERT_EQ(app().window.list.text(), app().folders.recent_search);
    point_below_tree_items();
    menu_event(kFolderTreeControl, kRightClick);
    EXPECT_EQ(enabled_items(), (std::set<UINT>{52, 53}));

    // Recent programs and bookmarks may.
    command(3);
    point_below_tree_items();
    menu_event(kFolderTreeControl, kRightClick);
    EXPECT_EQ(enabled_items(), (std::set<UINT>{46, 52, 53}));
    control_event(kBookmarksButton, kLeftClick);
    point_below_tree_items();
    menu_event(kFolderTreeControl, kRightClick);
    EXPECT_EQ(enabled_items(), (std::set<UINT>{46, 52, 53}));
}

// The tree's hit test as a click meets it: on the selected item's text or in
// the space of its icon left of it, and that space grows with the resolution.
TEST_F(WindowDispatch, AClickOpensTheSelectedFolderOnlyOnItsTextOrItsIconSpace) {
    // Two levels down, so there is tree to the left of the item.
    ASSERT_TRUE(create_folders(root_ + "Games\\Board\\Chess"));
    show_menu(app(), root_, app().view.caption);
    FolderTree& tree = app().window.tree;
    tree.expand_all();
    const int games = tree_item(root_ + "Games\\Board\\Chess");
    ASSERT_GT(games, 0);
    // Clicks at x pixels from the left end of the item's text (negative:
    // left of it), half-way down; true when the folder opened.
    const auto opens = [&](int x_from_text) {
        app().view.tree_selection = -1;
        tree.select(games);
        RECT box{};
        EXPECT_TRUE(TreeView_GetItemRect(tree.window(), tree.item_handle(games), &box, TRUE));
        POINT at{box.left + x_from_text, (box.top + box.bottom) / 2};
        ClientToScreen(tree.window(), &at);
        SetCursorPos(at.x, at.y);
        control_event(kFolderTreeControl, kLeftClick);
        return app().view.tree_selection == games;
    };
    RECT box{};
    ASSERT_TRUE(TreeView_GetItemRect(tree.window(), tree.item_handle(games), &box, TRUE));
    const int width = box.right - box.left;
    ASSERT_GT(box.left, 40) << "room left of the text";

    EXPECT_TRUE(opens(width / 2));
    EXPECT_TRUE(opens(0));
    EXPECT_TRUE(opens(-20));
    EXPECT_FALSE(opens(-21));
    EXPECT_TRUE(opens(width - 1));
    EXPECT_FALSE(opens(width));

    // At 144 dpi the icon space is 30 pixels wide.
    RECT frame{};
    GetWindowRect(app().main_window, &frame);
    RECT suggested{frame.left, frame.top, frame.left + 1400, frame.top + 1000};
    SendMessageW(app().main_window, WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    ASSERT_EQ(app().window.dpi, 144);
    ASSERT_TRUE(TreeView_GetItemRect(tree.window(), tree.item_handle(games), &box, TRUE));
    ASSERT_GT(box.left, 40) << "room left of the text";
    EXPECT_TRUE(opens(-30));
    EXPECT_FALSE(opens(-31));
}

// Enter in the search field and Show in folder on live results: the top
// result starts; a result of the own menu, of a programs folder and of the
// recent documents each shows in its own place, selected.
TEST_F(WindowDispatch, EnterStartsTheTopResultAndShowInFolderFindsEachResultsHome) {
    ProgramFolders& folders = app().folders;
    folders.common_programs = with_backslash(test_app_.dir().make_dir("Common Programs"));
    folders.user_programs = with_backslash(test_app_.dir().make_dir("User Programs"));
    folders.recent = with_backslash(test_app_.dir().make_dir("Recent"));
    {
        ComInit com;
        ASSERT_TRUE(test::make_test_link(root_ + "Games\\Chessboard.lnk", target_));
        ASSERT_TRUE(test::make_test_link(
            app().folders.common_programs + "Accessories\\Checkers.lnk", target_));
        ASSERT_TRUE(test::make_test_link(app().folders.recent + "Check list.lnk", target_));
    }
    start_live_search(app());
    ASSERT_TRUE(test::wait_until([&] { return app().live_search->indexer->ready(); }));
    const auto type = [&](const std::string& text) {
        set_window_text(app().window.search_field, text);
        run_queued();
        ASSERT_TRUE(settle_live_search(app(), 5000));
    };

    // Enter: the top result of the whole text starts.
    SetFocus(app().window.search_field);
    type("chess");
    ASSERT_TRUE(live_results_shown(app()));
    const std::size_t launches = test_app_.launcher.records.size();
    key_command(kSearchEnterCommand);
    ASSERT_EQ(test_app_.launcher.records.size(), launches + 1);
    EXPECT_EQ(test_app_.launcher.records.back().program, root_ + "Games\\chess.lnk");
    // Nothing matching starts nothing.
    type("zzzz");
    key_command(kSearchEnterCommand);
    EXPECT_EQ(test_app_.launcher.records.size(), launches + 1);
    // The setting at 0: Enter runs the search command.
    app().settings.search_enter_starts_first = 0;
    type("chess");
    key_command(kSearchEnterCommand);
    EXPECT_EQ(app().window.list.text(), app().folders.recent_search);
    EXPECT_EQ(test_app_.launcher.records.size(), launches + 1);
    app().settings.search_enter_starts_first = 1;

    // Show in folder from the field: the own menu's folder, the result selected.
    type("chessb");
    key_command(kShowInFolderCommand);
    EXPECT_EQ(app().view.menu_mode, kOwnMenuMode);
    EXPECT_EQ(app().window.list.text(), root_ + "Games\\");
    EXPECT_EQ(title(), find_text("Program_Name") + " - Games");
    EXPECT_EQ(app().window.list.state(), list_row("Chessboard.lnk"));
    EXPECT_EQ(GetFocus(), app().window.list.window());

    // From the list, gated by its menu: a programs folder's result shows in
    // the Windows menu's copy.
    SetFocus(app().window.search_field);
    type("checkers");
    select_row(0);
    SetFocus(app().window.list.window());
    key_command(kShowInFolderCommand, true);
    EXPECT_EQ(app().view.menu_mode, kWindowsMenuMode);
    EXPECT_EQ(app().window.list.text(),
              with_backslash(app().folders.windows_menu) + "Accessories\\");
    EXPECT_EQ(app().window.list.state(), list_row("Checkers.lnk"));

    // A recent document: the recent documents' list, the document selected.
    SetFocus(app().window.search_field);
    type("check list");
    key_command(kShowInFolderCommand);
    EXPECT_EQ(app().window.list.text(), app().folders.recent_documents);
    EXPECT_EQ(app().window.list.state(), list_row("Check list.lnk"));

    // A folder's entry is no live result: the menu does not offer it.
    SetFocus(app().window.list.window());
    select_row(0);
    const std::string shown = app().window.list.text();
    key_command(kShowInFolderCommand, true);
    EXPECT_EQ(app().window.list.text(), shown);
}

}  // namespace
}  // namespace trevalon
