// trevalon_probe.exe: trevalon.exe itself, plus a stamp of the end of every
// paint of its main window, for the start-up and edge benchmarks. The stamp
// file is named by TREVALON_BENCH_PAINT_STAMP and rewritten at each paint;
// the program proper never reads it.
//
// With TREVALON_BENCH_EXIT_AFTER_PAINT set the program ends at its first
// stamp, as the baselines do, for measures of what a start costs (its CPU
// time, its requests to the wineserver).
//
// Paints are seen by wrapping the main window's procedure as the window is
// created: a WM_PAINT is stamped when the program's handling of it returns.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/clock.h"
#include "heap_census_win.h"
#include "paint_stamp_win.h"
#include "platform/dialogs_win.h"
#include "platform/launcher_win.h"
#include "program/startup_win.h"
#include "window/main_window_win.h"

namespace {

std::wstring g_stamp_file;
HHOOK g_creation_hook = nullptr;
UINT g_census_message = 0;
std::wstring g_census_file;

// A census of the heaps sent to the main window: wparam 0 takes it and
// keeps it; 1 writes the heaps' totals and what is new since the kept one;
// 2 writes every allocation and the heaps as they are.
void answer_census(WPARAM what) {
    static trevalon::bench::BlockList kept;
    static trevalon::bench::BlockList now;
    static trevalon::bench::BlockList kept_memory;
    static trevalon::bench::BlockList memory_now;
    static trevalon::bench::HeapTotals kept_totals[64] = {};
    static int kept_threads = 0;
    trevalon::bench::HeapTotals totals[64] = {};
    if (what == 0) {
        trevalon::bench::take_heap_census(kept, kept_totals, 64);
        trevalon::bench::take_memory_census(kept_memory);
        kept_threads = trevalon::bench::thread_count();
        return;
    }
    trevalon::bench::take_heap_census(now, totals, 64);
    trevalon::bench::take_memory_census(memory_now);
    // Written beside and renamed: the sender may be answered before this
    // procedure returns, and waits for the file.
    const std::wstring fresh = g_census_file + L".new";
    std::FILE* out = _wfopen(fresh.c_str(), L"w");
    if (!out)
        return;
    if (what == 2) {
        trevalon::bench::write_allocations(out, memory_now);
        trevalon::bench::write_heap_totals(out, totals, 64, "");
    } else {
        std::fprintf(out, "threads: %d -> %d\n", kept_threads, trevalon::bench::thread_count());
        trevalon::bench::write_grown_allocations(out, kept_memory, memory_now);
        trevalon::bench::write_heap_totals(out, kept_totals, 64, " before");
        trevalon::bench::write_heap_totals(out, totals, 64, "");
        std::fprintf(out, "gdi objects %lu, user objects %lu\n",
                     GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                     GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
        trevalon::bench::write_new_blocks(out, kept, now, 12);
    }
    std::fclose(out);
    MoveFileExW(fresh.c_str(), g_census_file.c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool is_main_window(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, 64);
    return std::string_view(name) == trevalon::kMainWindowClass;
}

void stamp() {
    static const bool exit_after =
        GetEnvironmentVariableW(L"TREVALON_BENCH_EXIT_AFTER_PAINT", nullptr, 0) > 0;
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    trevalon::bench::write_stamp(
        g_stamp_file, (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    if (exit_after)
        ExitProcess(0);
}

WNDPROC g_main_window_proc = nullptr;

// The main window's procedure, wrapped: a paint is stamped when the
// program's handling of it returns, sent (UpdateWindow) or dispatched alike.
LRESULT CALLBACK watched_main_window(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const LRESULT result = CallWindowProcW(g_main_window_proc, window, message, wparam, lparam);
    if (message == WM_PAINT && !g_stamp_file.empty())
        stamp();
    if (g_census_message && message == g_census_message)
        answer_census(wparam);
    return result;
}

// Watches for the main window's creation only: a hook that sees every
// message would cost the program a few requests to the wineserver per
// message, which the baselines do not pay.
LRESULT CALLBACK on_window_created(int code, WPARAM wparam, LPARAM lparam) {
    const auto window = reinterpret_cast<HWND>(wparam);
    if (code == HCBT_CREATEWND && is_main_window(window)) {
        g_main_window_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watched_main_window)));
        UnhookWindowsHookEx(g_creation_hook);
        return 0;
    }
    return CallNextHookEx(g_creation_hook, code, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    wchar_t file[1024];
    const DWORD length = GetEnvironmentVariableW(L"TREVALON_BENCH_PAINT_STAMP", file, 1024);
    if (length > 0 && length < 1024)
        g_stamp_file.assign(file, length);
    wchar_t census[1024];
    const DWORD census_length =
        GetEnvironmentVariableW(L"TREVALON_BENCH_HEAP_CENSUS", census, 1024);
    if (census_length > 0 && census_length < 1024) {
        g_census_file.assign(census, census_length);
        g_census_message = RegisterWindowMessageW(L"TrevalonBenchHeapCensus");
    }
    if (!g_stamp_file.empty() || g_census_message) {
        g_creation_hook =
            SetWindowsHookExW(WH_CBT, on_window_created, nullptr, GetCurrentThreadId());
    }
    static trevalon::SystemDialogs dialogs;
    static trevalon::SystemDialogs fault_dialogs;
    static trevalon::SystemLauncher launcher;
    static const trevalon::SystemClock clock;
    return trevalon::run_program(instance, {dialogs, fault_dialogs, launcher, clock});
}
