// Starts the real trevalon.exe and checks what a user would see first.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "shell/handles_win.h"
#include "support/wait_win.h"

namespace trevalon {
namespace {

std::string window_title(HWND window) {
    char buffer[512] = {};
    GetWindowTextA(window, buffer, sizeof(buffer));
    return buffer;
}

HWND find_main_window(DWORD process_id) {
    struct Search {
        DWORD process_id;
        HWND found;
    } search{process_id, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->process_id && IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TEST(Manifest, MakesUtf8TheActiveCodePage) {
    EXPECT_EQ(GetACP(), 65001u);
}

TEST(Program, StartsAndShowsItsWindowTitledWithTheProductName) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::string command = std::string("\"") + TREVALON_EXE_PATH + "\"";
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &info));
    UniqueHandle process(info.hProcess);
    UniqueHandle thread(info.hThread);

    HWND window = nullptr;
    ASSERT_TRUE(test::wait_until([&] { return (window = find_main_window(info.dwProcessId)); },
                                 std::chrono::seconds(30)));
    EXPECT_EQ(window_title(window).rfind("Trevalon", 0), 0u) << window_title(window);

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.get(), 30000), WAIT_OBJECT_0);
}

}  // namespace
}  // namespace trevalon
