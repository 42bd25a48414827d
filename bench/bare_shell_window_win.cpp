// bare_shell_window.exe: the fair baseline for start-up and memory. What any
// program that works with the shell loads and does before its first paint,
// and nothing of the program: common controls 6 (the same manifest as the
// program) with a tree view and a list view, OLE initialised, the shell's
// special folders looked up, a window of the main window's size that paints
// once. The first paint is stamped as bare_window.exe stamps it
// (paint_stamp_win.h).
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shlobj.h>

#include "paint_stamp_win.h"

namespace {

// The special folders the program looks up at start-up.
constexpr int kSpecialFolders[] = {CSIDL_PERSONAL,  CSIDL_FAVORITES,       CSIDL_COMMON_STARTMENU,
                                   CSIDL_STARTMENU, CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS,
                                   CSIDL_RECENT,    CSIDL_DESKTOP,         CSIDL_WINDOWS,
                                   CSIDL_SYSTEM,    CSIDL_APPDATA};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (FAILED(OleInitialize(nullptr)))
        return 1;
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    for (const int folder : kSpecialFolders) {
        wchar_t path[MAX_PATH];
        SHGetFolderPathW(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path);
    }

    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = trevalon::bench::baseline_window_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.lpszClassName = L"BareShellBenchWindow";
    if (!RegisterClassExW(&window_class))
        return 1;
    RECT frame{0, 0, 877, 595};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window =
        CreateWindowExW(0, window_class.lpszClassName, L"Bare shell window", WS_OVERLAPPEDWINDOW,
                        CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT,
                    30, 20, 350, 485, window, nullptr, instance, nullptr);
    CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_ICON, 382, 20, 490, 485,
                    window, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    OleUninitialize();
    return 0;
}
