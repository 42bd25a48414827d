// bare_window.exe: the baseline for start-up and memory. A plain top-level
// window of the main window's size that paints itself once, nothing else.
//
// Its first paint is stamped for the start-up benchmark (paint_stamp_win.h).
#include <windows.h>

#include "paint_stamp_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = trevalon::bench::baseline_window_proc;
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
