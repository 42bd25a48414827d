// The first-paint stamp of the baseline windows: when the environment names
// a stamp file (TREVALON_BENCH_PAINT_STAMP), the end of the first paint is
// written there as a FILETIME count (100 ns since 1601, UTC); the program
// then ends at once unless TREVALON_BENCH_STAY is set, in which case it stays
// until it is closed.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace trevalon::bench {

inline std::wstring environment_text(const wchar_t* name) {
    wchar_t value[1024];
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

// Written beside the target and renamed, so a reader never sees half a number.
inline void write_stamp(const std::wstring& file, ULONGLONG stamp) {
    const std::wstring fresh = file + L".new";
    HANDLE out = CreateFileW(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE)
        return;
    char text[32];
    const int length = std::snprintf(text, sizeof(text), "%llu", stamp);
    DWORD written = 0;
    WriteFile(out, text, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(out);
    MoveFileExW(fresh.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
}

// Call at the end of every paint; acts on the first.
inline void stamp_first_paint() {
    static bool painted = false;
    if (painted)
        return;
    painted = true;
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    const std::wstring stamp_file = environment_text(L"TREVALON_BENCH_PAINT_STAMP");
    if (stamp_file.empty())
        return;
    write_stamp(stamp_file, (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    if (environment_text(L"TREVALON_BENCH_STAY").empty())
        ExitProcess(0);
}

// The baseline windows' procedure: fills the damage, stamps the first paint
// and ends the program with its window.
inline LRESULT CALLBACK baseline_window_proc(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            FillRect(dc, &paint.rcPaint, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
            EndPaint(window, &paint);
            stamp_first_paint();
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace trevalon::bench
