// trevalon_probe.exe: trevalon.exe itself, plus a stamp of the end of every
// paint of its main window, for the start-up and edge benchmarks. The stamp
// file is named by TREVALON_BENCH_PAINT_STAMP and rewritten at each paint;
// the program proper never reads it.
//
// Paints are seen through two thread hooks: a WM_PAINT sent to the window
// (UpdateWindow) is stamped when its handler returns; a queued one is
// stamped when the loop fetches its next message, which a WM_NULL posted
// behind the paint makes immediate.
#include <windows.h>

#include <cstdio>
#include <string>

#include "base/clock.h"
#include "paint_stamp_win.h"
#include "platform/dialogs_win.h"
#include "platform/launcher_win.h"
#include "program/startup_win.h"
#include "window/main_window_win.h"

namespace {

std::wstring g_stamp_file;
HHOOK g_get_message_hook = nullptr;
HHOOK g_call_return_hook = nullptr;
bool g_paint_fetched = false;

bool is_main_window(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, 64);
    return std::string_view(name) == trevalon::kMainWindowClass;
}

void stamp() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    trevalon::bench::write_stamp(
        g_stamp_file, (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
}

LRESULT CALLBACK on_get_message(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION && wparam == PM_REMOVE) {
        const MSG* message = reinterpret_cast<const MSG*>(lparam);
        if (g_paint_fetched) {
            g_paint_fetched = false;
            stamp();
        }
        if (message->message == WM_PAINT && is_main_window(message->hwnd)) {
            g_paint_fetched = true;
            PostMessageW(nullptr, WM_NULL, 0, 0);
        }
    }
    return CallNextHookEx(g_get_message_hook, code, wparam, lparam);
}

LRESULT CALLBACK on_call_return(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HC_ACTION) {
        const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
        if (call->message == WM_PAINT && is_main_window(call->hwnd))
            stamp();
    }
    return CallNextHookEx(g_call_return_hook, code, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    wchar_t file[1024];
    const DWORD length = GetEnvironmentVariableW(L"TREVALON_BENCH_PAINT_STAMP", file, 1024);
    if (length > 0 && length < 1024) {
        g_stamp_file.assign(file, length);
        const DWORD thread = GetCurrentThreadId();
        g_get_message_hook = SetWindowsHookExW(WH_GETMESSAGE, on_get_message, nullptr, thread);
        g_call_return_hook = SetWindowsHookExW(WH_CALLWNDPROCRET, on_call_return, nullptr, thread);
    }
    static trevalon::SystemDialogs dialogs;
    static trevalon::SystemDialogs fault_dialogs;
    static trevalon::SystemLauncher launcher;
    static const trevalon::SystemClock clock;
    return trevalon::run_program(instance, {dialogs, fault_dialogs, launcher, clock});
}
