// The single-instance pieces: the named mutex and finding the running
// instance's window among other windows that mention the program.
#include "program/single_instance_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"
#include "support/wait_win.h"
#include "window/main_window_win.h"

namespace trevalon {
namespace {

LRESULT CALLBACK plain_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(window, message, wparam, lparam);
}

HWND make_window(const wchar_t* class_name, const wchar_t* title) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = plain_window_proc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = class_name;
    RegisterClassExW(&window_class);
    HWND window = CreateWindowExW(0, class_name, title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, window_class.hInstance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

TEST(SingleInstance, TheNameIsHeldOnceAndFreedWithTheHandle) {
    const std::string name = "TrevalonInstanceTest" + std::to_string(GetCurrentProcessId());
    InstanceClaim first = claim_single_instance(name);
    EXPECT_FALSE(first.another_running);
    EXPECT_TRUE(first.mutex);
    const InstanceClaim second = claim_single_instance(name);
    EXPECT_TRUE(second.another_running);
    EXPECT_FALSE(second.mutex);
    first.mutex.reset();
    EXPECT_FALSE(claim_single_instance(name).another_running);
}

TEST(SingleInstance, AMutexThatCannotBeMadeForAnyOtherReasonLetsTheProgramRun) {
    // A namespace that does not exist: the system refuses with "path not found".
    const InstanceClaim claim = claim_single_instance("NoSuchNamespace\\Trevalon");
    EXPECT_FALSE(claim.another_running);
    EXPECT_FALSE(claim.mutex);
    // Another user's instance is out of reach but still counts; a shortage
    // of memory does not.
    EXPECT_TRUE(means_another_instance(false, ERROR_ACCESS_DENIED));
    EXPECT_FALSE(means_another_instance(false, ERROR_NOT_ENOUGH_MEMORY));
}

TEST(SingleInstance, OnlyTheProgramsOwnWindowClassIsTakenForTheRunningInstance) {
    HWND own = make_window(L"TrevalonMainWindow", L"Trevalon - My Menu - Top level");
    // A browser showing a page about the program, above it in the window order.
    HWND browser = make_window(L"TestBrowser", L"Trevalon - Wikipedia");
    ASSERT_TRUE(own && browser);
    SetWindowPos(browser, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // The browser comes first in the window order, so a title alone would pick it.
    HWND first = nullptr;
    for (HWND window = GetTopWindow(nullptr); window && !first;
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (window == own || window == browser)
            first = window;
    }
    ASSERT_EQ(first, browser);
    EXPECT_EQ(find_instance_window(kMainWindowClass, "Trevalon"), own);
    EXPECT_EQ(find_instance_window(kMainWindowClass, "Osmeric"), nullptr);

    ShowWindow(own, SW_MINIMIZE);
    ASSERT_TRUE(test::wait_until([&] { return IsIconic(own) != FALSE; }));
    bring_instance_forward(own);
    EXPECT_TRUE(test::wait_until([&] { return !IsIconic(own) && IsWindowVisible(own); }));
    ShowWindow(own, SW_HIDE);
    bring_instance_forward(own);
    EXPECT_TRUE(test::wait_until([&] { return IsWindowVisible(own) != FALSE; }));
    DestroyWindow(browser);
    DestroyWindow(own);
    // The class name is the program's; later tests build the real window.
    UnregisterClassW(L"TrevalonMainWindow", GetModuleHandleW(nullptr));
    UnregisterClassW(L"TestBrowser", GetModuleHandleW(nullptr));
}

TEST(DataFolderLock, HeldOnceForTheRunSeenByEveryOtherHolderAndFreedWithIt) {
    test::TempDir dir;
    FolderLock first = lock_data_folder(dir.str());
    EXPECT_FALSE(first.held_elsewhere);
    ASSERT_TRUE(first.file);
    const FolderLock second = lock_data_folder(dir.str());
    EXPECT_TRUE(second.held_elsewhere);
    EXPECT_FALSE(second.file);
    first.file.reset();
    EXPECT_TRUE(lock_data_folder(dir.str()).file);
    // No data folder to lock in: the program runs without.
    const FolderLock none = lock_data_folder(dir.str() + "missing\\");
    EXPECT_FALSE(none.held_elsewhere);
    EXPECT_FALSE(none.file);
}

}  // namespace
}  // namespace trevalon
