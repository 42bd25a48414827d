// The event loop's minimum on the real main window: closing, the periodic
// save after events, with the clock injected.
#include "program/event_loop_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "commands/app_win.h"
#include "platform/file_ops_win.h"
#include "support/fake_clock.h"
#include "support/temp_dir.h"
#include "texts/text_table.h"
#include "window/main_window_win.h"

namespace trevalon {
namespace {

class EventLoop : public testing::Test {
  protected:
    void SetUp() override {
        if (!texts().contains("Program_Name"))
            load_builtin_texts(texts());
        SystemFolders system;
        system.app_data = dir_.make_dir("AppData");
        system.temp = dir_.make_dir("Temp");
        app_.folders = derive_program_folders(system, texts());
        create_folders(app_.folders.data);
        app_.settings = default_settings(app_.folders.own_menu);
        app_.instance = GetModuleHandleW(nullptr);
        app_.clock = &clock_;
        app_.save_schedule = SaveSchedule{.last_save = clock_.now_seconds(), .interval = 60};
        ASSERT_TRUE(build_main_window(app_));
        ShowWindow(app_.main_window, SW_SHOWNORMAL);
    }
    void TearDown() override {
        DestroyWindow(app_.main_window);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quorvane");
    }

    // One run of the loop over what is queued, ended by a quit message.
    void run_queued() {
        PostQuitMessage(0);
        run_event_loop(app_);
    }

    test::TempDir dir_;
    test::FakeClock clock_;
    App app_;
};

TEST_F(EventLoop, TheWindowIsCentredTitledAndHasItsInnerSize) {
    RECT inner{};
    GetClientRect(app_.main_window, &inner);
    EXPECT_EQ(inner.right, kMainInnerWidth);
    EXPECT_EQ(inner.bottom, kMainInnerHeight);
    wchar_t title[100] = {};
    GetWindowTextW(app_.main_window, title, 100);
    EXPECT_STREQ(title, L"Trevalon");
    RECT frame{};
    GetWindowRect(app_.main_window, &frame);
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2);
    EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2);
}

TEST_F(EventLoop, ClosingMinimisesWhileWindowCloseToTabBarIsSetAndEndsTheLoopOtherwise) {
    PostMessageW(app_.main_window, WM_CLOSE, 0, 0);
    run_queued();
    EXPECT_TRUE(IsIconic(app_.main_window));
    EXPECT_TRUE(IsWindow(app_.main_window));

    app_.settings.window_close_to_tab_bar = 0;
    PostMessageW(app_.main_window, WM_CLOSE, 0, 0);
    // The quit message would end the loop too, but only once nothing else is
    // queued: still being there afterwards shows the close ended the loop.
    run_queued();
    EXPECT_TRUE(IsWindow(app_.main_window));
    MSG left;
    ASSERT_TRUE(PeekMessageW(&left, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(left.message, static_cast<UINT>(WM_QUIT));
}

TEST_F(EventLoop, TheExitCommandEndsTheLoopWhateverTheCloseSettingSays) {
    ASSERT_EQ(app_.settings.window_close_to_tab_bar, 1);
    // Refresh (68) on an empty list: not Exit, and nothing to show. (A
    // command that opens a menu would take the quit message into the menu's
    // own loop.)
    PostMessageW(app_.main_window, WM_COMMAND, 68, 0);
    PostMessageW(app_.main_window, WM_COMMAND, 13, 0);
    run_queued();
    EXPECT_FALSE(IsIconic(app_.main_window));
    MSG left;
    ASSERT_TRUE(PeekMessageW(&left, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(left.message, static_cast<UINT>(WM_QUIT));
}

TEST_F(EventLoop, SavesAfterAnEventOnlyOnceMoreThanAMinuteHasPassed) {
    // Refresh (68) on an empty list: an event that shows nothing.
    clock_.advance(60);
    PostMessageW(app_.main_window, WM_COMMAND, 68, 0);
    run_queued();
    EXPECT_FALSE(is_file(app_.folders.settings_file));

    // An idle minute saves nothing by itself; the next event does.
    clock_.advance(1);
    EXPECT_FALSE(is_file(app_.folders.settings_file));
    PostMessageW(app_.main_window, WM_COMMAND, 68, 0);
    run_queued();
    EXPECT_EQ(read_file(app_.folders.settings_file), format_settings(app_.settings));
    EXPECT_EQ(app_.save_schedule.last_save, clock_.now_seconds());

    app_.settings.icon_format = 1;
    clock_.advance(30);
    PostMessageW(app_.main_window, WM_COMMAND, 68, 0);
    run_queued();
    EXPECT_NE(read_file(app_.folders.settings_file), format_settings(app_.settings));
}

TEST_F(EventLoop, AnIdleWindowNeverSavesOnlyTheUsersInputDoes) {
    // What an idle window still receives: the caret's blink timer in the
    // search field, repaints, messages that wake it up.
    SetFocus(app_.window.search_field);
    SetTimer(app_.main_window, 7, 10, nullptr);
    clock_.advance(61);
    PostMessageW(app_.main_window, WM_NULL, 0, 0);
    InvalidateRect(app_.main_window, nullptr, TRUE);
    Sleep(50);
    run_queued();
    KillTimer(app_.main_window, 7);
    EXPECT_FALSE(is_file(app_.folders.settings_file));

    // A key the user presses is input, even one that starts no command.
    PostMessageW(app_.window.search_field, WM_KEYDOWN, VK_SHIFT, 0);
    run_queued();
    EXPECT_EQ(read_file(app_.folders.settings_file), format_settings(app_.settings));

    // So is the pointer moving over the window.
    ASSERT_TRUE(delete_file(app_.folders.settings_file));
    clock_.advance(61);
    PostMessageW(app_.main_window, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    run_queued();
    EXPECT_TRUE(is_file(app_.folders.settings_file));
}

}  // namespace
}  // namespace trevalon
