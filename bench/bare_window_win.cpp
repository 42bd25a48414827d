// bare_window.exe: the baseline for start-up and memory. A plain top-level
// window of the main window's size that paints itself once, nothing else.
//
// When the environment names a stamp file (TREVALON_BENCH_PAINT_STAMP), the
// end of the first paint is written there as a FILETIME count (100 ns since
// 1601, UTC); the program then ends at once unless TREVALON_BENCH_STAY is set,
// in which case it stays until it is closed.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

bool g_painted = false;

std::wstring environment(const wchar_t* name) {
    wchar_t value[1024];
    const DWORD length = GetEnvironmentVariableW(name, value, 1024);
    return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

// Written beside the target and renamed, so a reader never sees half a number.
void write_stamp(const std::wstring& file, ULONGLONG stamp) {
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

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            FillRect(dc, &paint.rcPaint, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
            EndPaint(window, &paint);
            if (!g_painted) {
                g_painted = true;
                FILETIME now;
                GetSystemTimePreciseAsFileTime(&now);
                const std::wstring stamp_file = environment(L"TREVALON_BENCH_PAINT_STAMP");
                if (!stamp_file.empty()) {
                    write_stamp(stamp_file, (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) |
                                                now.dwLowDateTime);
                    if (environment(L"TREVALON_BENCH_STAY").empty())
                        ExitProcess(0);
                }
            }
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.lpszClassName = L"BareBenchWindow";
    if (!RegisterClassExW(&window_class))
        return 1;
    RECT frame{0, 0, 877, 595};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window =
        CreateWindowExW(0, window_class.lpszClassName, L"Bare window", WS_OVERLAPPEDWINDOW,
                        CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
