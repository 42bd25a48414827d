// The real trevalon.exe in the test's Wine prefix: first start, placement,
// the end of a run, a second start. Fixture links go into the prefix's own
// start-menu folders.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commands/cut_keeper_win.h"
#include "menu/directory_listing.h"
#include "menu/program_folders.h"
#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "platform/registry_win.h"
#include "platform/shortcut_win.h"
#include "platform/special_folders_win.h"
#include "platform/wide_win.h"
#include "program/single_instance_win.h"
#include "resources/resource_ids.h"
#include "settings/settings.h"
#include "support/process_win.h"
#include "support/screenshot_win.h"
#include "support/test_links_win.h"
#include "support/wait_win.h"
#include "texts/text_table.h"
#include "window/main_window_win.h"
#include "window/ui_resources_win.h"

namespace trevalon {
namespace {

using namespace std::chrono_literals;

class Program : public testing::Test {
  protected:
    void SetUp() override {
        if (!texts().contains("Program_Name"))
            load_builtin_texts(texts());
        folders_ = derive_program_folders(read_system_folders(), texts());
        exe_ = test::build_tree_path(TREVALON_EXE_PATH);
        reset();
    }
    void TearDown() override {
        for (const auto& run : runs_)
            run.kill();
        reset();
    }

    // Back to a system that never saw the program.
    void reset() {
        const std::vector<std::string> roots{folders_.app_data, folders_.temp};
        remove_tree(folders_.data, roots);
        remove_tree(folders_.predecessor_data, roots);
        remove_tree(folders_.own_temp, roots);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quorvane");
        if (UniqueKey run = open_registry_key(HKEY_CURRENT_USER, kRunKey, KEY_ALL_ACCESS)) {
            delete_registry_value(run.get(), "Trevalon");
        }
        for (const std::string& link : fixture_links_)
            delete_file(link);
    }

    void add_fixture_link(const std::string& path, const std::string& target) {
        ComInit com;
        ASSERT_TRUE(test::make_test_link(path, target));
        fixture_links_.push_back(path);
    }

    // A first run ended as a log-off ends it, with the editor seeded into
    // the own menu; its path.
    std::string first_run_with_editor() {
        add_fixture_link(folders_.user_programs + "Accessories\\Notepad.lnk",
                         "C:\\windows\\notepad.exe");
        HWND window = start();
        EXPECT_TRUE(window);
        EXPECT_EQ(end_session(window), 0u);
        return folders_.own_menu + "Editor.lnk";
    }

    // What a run killed after a cut leaves: the entry waiting, not in its
    // folder; and copies for Undo.
    void leave_cut_waiting(const std::string& entry) {
        ASSERT_TRUE(start_cut(folders_, entry));
        ASSERT_TRUE(delete_file(entry));
        ASSERT_TRUE(create_folders(folders_.undo + "3"));
        ASSERT_TRUE(write_file(folders_.undo + "3\\0", "kept for undo"));
    }

    void preset_position(int x, int y) {
        UniqueKey key = create_registry_key(HKEY_CURRENT_USER, find_text("Registry_Subkey"));
        write_registry_dword(key.get(), "PosX", static_cast<std::uint32_t>(x));
        write_registry_dword(key.get(), "PosY", static_cast<std::uint32_t>(y));
    }

    // Starts the program and waits for its window to show.
    HWND start() {
        runs_.push_back(test::start_process(exe_));
        const test::ChildProcess& run = runs_.back();
        EXPECT_TRUE(run.process);
        HWND window = nullptr;
        EXPECT_TRUE(
            test::wait_until([&] { return (window = test::visible_window_of(run.id)); }, 60s));
        return window;
    }

    // Ends the last run the way a log-off does; the exit clean-up runs.
    DWORD end_session(HWND window) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
        return runs_.back().wait(30s);
    }

    static RECT frame_of(HWND window) {
        RECT frame{};
        GetWindowRect(window, &frame);
        return frame;
    }

    ProgramFolders folders_;
    std::string exe_;
    std::vector<std::string> fixture_links_;
    std::vector<test::ChildProcess> runs_;
};

TEST(Manifest, MakesUtf8TheActiveCodePage) {
    EXPECT_EQ(GetACP(), 65001u);
}

TEST_F(Program, FirstStartPreparesItsFoldersPlacesTheWindowAndItsEndSavesEverything) {
    add_fixture_link(folders_.common_programs + "Accessories\\Calculator.lnk",
                     "C:\\windows\\system32\\calc.exe");
    add_fixture_link(folders_.user_programs + "Accessories\\Notepad.lnk",
                     "C:\\windows\\notepad.exe");
    preset_position(100, 50);

    HWND window = start();
    ASSERT_TRUE(window);
    test::save_artifact_screenshot(window, "first_start");
    wchar_t class_name[64] = {};
    GetClassNameW(window, class_name, 64);
    EXPECT_STREQ(class_name, L"TrevalonMainWindow");
    EXPECT_EQ(test::window_title(window).rfind("Trevalon - ", 0), 0u) << test::window_title(window);
    EXPECT_EQ(frame_of(window).left, 100);
    EXPECT_EQ(frame_of(window).top, 50);

    EXPECT_TRUE(is_directory(folders_.data));
    for (const char* seeded : {"Calculator.lnk", "Office\\Calculator.lnk", "Editor.lnk",
                               "Windows Tools\\Calculator.lnk"}) {
        EXPECT_TRUE(is_file(folders_.own_menu + seeded)) << seeded;
    }
    for (const std::string* folder : {&folders_.recent_programs, &folders_.recent_search,
                                      &folders_.bookmarks, &folders_.icon_cache}) {
        EXPECT_TRUE(is_directory(*folder)) << *folder;
    }
    // The template's internet shortcut was converted into a
    // bookmark link with the template's icon.
    EXPECT_FALSE(is_file(folders_.url_template + "URL.url"));
    const auto bookmark = read_shortcut_contents(folders_.url_template + "URL.lnk");
    ASSERT_TRUE(bookmark);
    EXPECT_EQ(bookmark->arguments, "\"" + find_text("Online_Adresse") + "\"");
    EXPECT_EQ(_stricmp(bookmark->icon_file.c_str(), (folders_.url_template + "URL.ico").c_str()), 0)
        << bookmark->icon_file;
    {
        UniqueLibrary image(
            LoadLibraryExW(utf8_to_wide(exe_).c_str(), nullptr,
                           LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
        const auto icon = embedded_data(image.get(), IDR_URL_TEMPLATE_ICON);
        ASSERT_FALSE(icon.empty());
        EXPECT_EQ(read_file(folders_.url_template + "URL.ico"),
                  std::string(reinterpret_cast<const char*>(icon.data()), icon.size()));
    }
    // Nothing is saved before the end.
    EXPECT_FALSE(is_file(folders_.settings_file));

    SetWindowPos(window, nullptr, 120, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(test::wait_until([&] { return frame_of(window).left == 120; }));
    EXPECT_EQ(end_session(window), 0u);

    EXPECT_EQ(read_file(folders_.settings_file),
              format_settings(default_settings(folders_.own_menu)));
    UniqueKey key = open_registry_key(HKEY_CURRENT_USER, find_text("Registry_Subkey"), KEY_READ);
    ASSERT_TRUE(key);
    EXPECT_EQ(read_registry_dword(key.get(), "PosX"), 120u);
    EXPECT_EQ(read_registry_dword(key.get(), "PosY"), 60u);
    const auto install_dir = read_registry_string(key.get(), "InstallDir");
    ASSERT_TRUE(install_dir);
    EXPECT_EQ(_stricmp(install_dir->c_str(), folder_of(exe_).c_str()), 0) << *install_dir;
    UniqueKey run = open_registry_key(HKEY_CURRENT_USER, kRunKey, KEY_READ);
    EXPECT_EQ(read_registry_string(run.get(), "Trevalon"), std::nullopt);
    // The working folders go; the user's folders stay.
    EXPECT_FALSE(is_directory(folders_.own_temp));
    EXPECT_TRUE(is_directory(folders_.own_menu));
    EXPECT_TRUE(is_directory(folders_.recent_programs));
}

TEST_F(Program, ASecondStartBringsTheFirstWindowForwardFromHiddenOrMinimisedAndExits) {
    HWND window = start();
    ASSERT_TRUE(window);
    // A browser page about the program lies above the program's window.
    const test::ChildProcess browser = test::start_process(
        TREVALON_TEST_HELPER_PATH, "window TestBrowser \"Trevalon - Wikipedia\"");
    ASSERT_TRUE(test::wait_until([&] { return test::visible_window_of(browser.id); }));

    ShowWindow(window, SW_HIDE);
    ASSERT_TRUE(test::wait_until([&] { return !IsWindowVisible(window); }));
    const test::ChildProcess second = test::start_process(exe_);
    EXPECT_EQ(second.wait(30s), 0u);
    EXPECT_TRUE(test::wait_until([&] { return IsWindowVisible(window) && !IsIconic(window); }));

    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(test::wait_until([&] { return IsIconic(window) != FALSE; }));
    const test::ChildProcess third = test::start_process(exe_);
    EXPECT_EQ(third.wait(30s), 0u);
    EXPECT_TRUE(test::wait_until([&] { return IsWindowVisible(window) && !IsIconic(window); }));
    EXPECT_EQ(GetForegroundWindow(), window);

    browser.kill();
    EXPECT_EQ(end_session(window), 0u);
}

// Top-level windows of the program's main window class, in any process.
int main_window_count() {
    int count = 0;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            wchar_t class_name[64] = {};
            GetClassNameW(window, class_name, 64);
            if (std::wstring_view(class_name) == L"TrevalonMainWindow")
                ++*reinterpret_cast<int*>(data);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(Program, FiftySimultaneousStartsLeaveOneResidentAndAfterItIsKilledTheNextStartWorks) {
    constexpr int kStarts = 50;
    for (int i = 0; i < kStarts; ++i) {
        // Now and then Wine fails to create one of many processes started at
        // once (ERROR_INTERNAL_ERROR, before the program runs at all). What is
        // tested is the program's answer to simultaneous starts, so such a
        // start is made again; one that never came into being must not pass
        // for one that ended.
        test::ChildProcess run = test::start_process(exe_);
        for (int attempt = 1; !run.process && attempt < 5; ++attempt)
            run = test::start_process(exe_);
        ASSERT_TRUE(run.process) << "start " << i << " could not be created, error "
                                 << run.start_error;
        runs_.push_back(std::move(run));
    }
    const auto running = [&] {
        std::vector<const test::ChildProcess*> alive;
        for (const auto& run : runs_) {
            if (run.process && WaitForSingleObject(run.process.get(), 0) == WAIT_TIMEOUT)
                alive.push_back(&run);
        }
        return alive;
    };
    // Every start but one ends by itself; the one left shows its window.
    ASSERT_TRUE(test::wait_until([&] { return running().size() <= 1; }, 120s))
        << running().size() << " still running";
    const auto alive = running();
    ASSERT_EQ(alive.size(), 1u);
    HWND window = nullptr;
    ASSERT_TRUE(
        test::wait_until([&] { return (window = test::visible_window_of(alive[0]->id)); }, 60s));
    EXPECT_EQ(main_window_count(), 1);
    for (const auto& run : runs_) {
        if (&run != alive[0]) {
            EXPECT_EQ(run.wait(0s), 0u) << "a second start ended with an error";
        }
    }

    // Killed without its clean-up; the next start runs as the only one.
    alive[0]->kill();
    ASSERT_NE(alive[0]->wait(30s), static_cast<DWORD>(STILL_ACTIVE));
    ASSERT_TRUE(test::wait_until([&] { return main_window_count() == 0; }));
    HWND next = start();
    ASSERT_TRUE(next);
    EXPECT_EQ(main_window_count(), 1);
    EXPECT_EQ(test::window_title(next).rfind("Trevalon - ", 0), 0u) << test::window_title(next);
    EXPECT_EQ(end_session(next), 0u);
}

TEST_F(Program, ClosingMinimisesUnlessSetToEndAndARestartNeitherMigratesNorSeeds) {
    add_fixture_link(folders_.common_programs + "Accessories\\Calculator.lnk",
                     "C:\\windows\\system32\\calc.exe");
    HWND window = start();
    ASSERT_TRUE(window);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(test::wait_until([&] { return IsIconic(window) != FALSE; }));
    EXPECT_EQ(runs_.back().wait(500ms), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(end_session(window), 0u);

    // The next start: the user removed a seeded entry; a predecessor folder
    // appeared; closing is set to end the program; a position is saved that
    // only the vertical rule accepts.
    ASSERT_TRUE(delete_file(folders_.own_menu + "Calculator.lnk"));
    ASSERT_TRUE(write_file(folders_.settings_file, "WindowCloseToTabBar = 0\r\n"));
    ASSERT_TRUE(create_folders(folders_.predecessor_data));
    ASSERT_TRUE(write_file(folders_.predecessor_data + "Osmeric.prefs", "IconFormat = 1\r\n"));
    preset_position(-5000, 0);

    window = start();
    ASSERT_TRUE(window);
    const int centred_x =
        (GetSystemMetrics(SM_CXSCREEN) - (frame_of(window).right - frame_of(window).left)) / 2;
    EXPECT_EQ(frame_of(window).left, centred_x);
    EXPECT_EQ(frame_of(window).top, 0);
    EXPECT_FALSE(is_file(folders_.own_menu + "Calculator.lnk"));
    EXPECT_FALSE(is_file(folders_.data + "Osmeric.prefs"));

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(runs_.back().wait(30s), 0u);
    Settings expected = default_settings(folders_.own_menu);
    expected.window_close_to_tab_bar = 0;
    EXPECT_EQ(read_file(folders_.settings_file), format_settings(expected));
    EXPECT_FALSE(is_directory(folders_.own_temp));
}

TEST_F(Program, ACutEntryARunLeftWaitingIsBackInItsFolderAfterTheNextStart) {
    const std::string editor = first_run_with_editor();
    const std::optional<std::string> bytes = read_file(editor);
    ASSERT_TRUE(bytes);
    leave_cut_waiting(editor);

    HWND window = start();
    ASSERT_TRUE(window);
    EXPECT_EQ(read_file(editor), bytes);
    EXPECT_TRUE(files_in(folders_.cut_entries).empty());
    EXPECT_FALSE(is_directory(folders_.cut_entries + "1"));
    EXPECT_FALSE(is_directory(folders_.undo + "3"));
    EXPECT_EQ(end_session(window), 0u);
    EXPECT_FALSE(is_directory(folders_.undo));
}

TEST_F(Program, AnInstanceInAnotherSessionHoldingTheDataFolderIsSaidAndNothingIsTouched) {
    // What the other instance works with: an entry waiting, copies for Undo.
    const std::string editor = first_run_with_editor();
    leave_cut_waiting(editor);
    const std::string waiting = folders_.cut_entries + "1\\Editor.lnk";
    // Its lock on the data folder: taken here, by a process that has no
    // window and no mutex of the program's, as one in another session.
    FolderLock other = lock_data_folder(folders_.data);
    ASSERT_TRUE(other.file);

    runs_.push_back(test::start_process(exe_));
    HWND said = nullptr;
    ASSERT_TRUE(
        test::wait_until([&] { return (said = test::visible_window_of(runs_.back().id)); }, 60s));
    EXPECT_EQ(test::window_title(said), find_text("Program_Name"));
    wchar_t shown[512] = {};
    GetDlgItemTextW(said, 0xFFFF, shown, 512);
    EXPECT_EQ(wide_to_utf8(shown), text("TXT00416"));
    PostMessageW(said, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(runs_.back().wait(30s), 0u);
    EXPECT_EQ(main_window_count(), 0);
    EXPECT_TRUE(is_file(waiting));
    EXPECT_FALSE(is_file(editor));
    EXPECT_EQ(read_file(folders_.undo + "3\\0"), "kept for undo");

    // The other instance ends: the next start is the one, and settles.
    other.file.reset();
    HWND window = start();
    ASSERT_TRUE(window);
    EXPECT_TRUE(is_file(editor));
    EXPECT_EQ(end_session(window), 0u);
}

TEST_F(Program, KilledAtAnyChangeOfTheStartsRecoveryTheNextStartLeavesTheEntryOnce) {
    const std::string editor = first_run_with_editor();
    const std::optional<std::string> bytes = read_file(editor);
    ASSERT_TRUE(bytes);
    const std::size_t entries = files_in(folders_.own_menu).size();
    int ended_early = 0;
    for (int change = 1; change <= 6; ++change) {
        SCOPED_TRACE("ended at change " + std::to_string(change));
        leave_cut_waiting(editor);

        SetEnvironmentVariableW(L"TREVALON_TEST_END_AT_CHANGE", std::to_wstring(change).c_str());
        runs_.push_back(test::start_process(exe_));
        SetEnvironmentVariableW(L"TREVALON_TEST_END_AT_CHANGE", nullptr);
        const DWORD ended = runs_.back().wait(60s);
        if (ended == static_cast<DWORD>(STILL_ACTIVE)) {
            // Recovery needed fewer changes: the run goes on as usual.
            HWND running = nullptr;
            ASSERT_TRUE(test::wait_until(
                [&] { return (running = test::visible_window_of(runs_.back().id)); }, 60s));
            EXPECT_EQ(end_session(running), 0u);
        } else {
            EXPECT_EQ(ended, 0xDEADu);
            ++ended_early;
        }

        HWND window = start();
        ASSERT_TRUE(window);
        EXPECT_EQ(read_file(editor), bytes);
        EXPECT_EQ(files_in(folders_.own_menu).size(), entries) << "a second copy";
        EXPECT_TRUE(
            list_directory(folders_.cut_entries).value_or(std::vector<DirectoryEntry>{}).empty());
        EXPECT_EQ(end_session(window), 0u);
    }
    // The recovery of one waiting entry takes several changes: the early
    // ends happened.
    EXPECT_GE(ended_early, 3);
}

}  // namespace
}  // namespace trevalon
