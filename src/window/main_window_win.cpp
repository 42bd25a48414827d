#include "window/main_window_win.h"

#include "errors/statement_marker.h"
#include "resources/resource_ids.h"
#include "shell/app_win.h"
#include "shell/wide_win.h"
#include "texts/text_table.h"
#include "window/list_views_win.h"
#include "window/placement.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::main_window;
constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

App* app_of(HWND window) {
    return reinterpret_cast<App*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    App* app = app_of(window);
    if (app) {
        if (const auto answer = main_window_callback(*app, window, message, wparam, lparam)) {
            return *answer;
        }
    }
    if (message == WM_CLOSE) {
        // The close button and a posted WM_CLOSE both end up in the loop.
        PostMessageW(window, kMainWindowCloseEvent, 0, 0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

bool register_main_window_class(HINSTANCE instance) {
    const std::wstring class_name = utf8_to_wide(kMainWindowClass);
    WNDCLASSEXW window_class{};
    if (GetClassInfoExW(instance, class_name.c_str(), &window_class))
        return true;
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = main_window_proc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
    window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = class_name.c_str();
    return RegisterClassExW(&window_class) != 0;
}

}  // namespace

bool build_main_window(App& app) {
    TREVALON_MARK();
    if (!register_main_window_class(app.instance))
        return false;
    RECT frame{0, 0, kMainInnerWidth, kMainInnerHeight};
    AdjustWindowRectEx(&frame, kMainWindowStyle, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    app.main_window = CreateWindowExW(
        0, utf8_to_wide(kMainWindowClass).c_str(), utf8_to_wide(find_text("Program_Name")).c_str(),
        kMainWindowStyle, x, y, width, height, nullptr, nullptr, app.instance, &app);
    return app.main_window != nullptr;
}

void place_main_window(App& app) {
    TREVALON_MARK();
    RECT frame{};
    if (!app.main_window || !GetWindowRect(app.main_window, &frame))
        return;
    const WindowPosition position = place_window(WindowPlacementInput{
        .centred_x = frame.left,
        .centred_y = frame.top,
        .width = frame.right - frame.left,
        .height = frame.bottom - frame.top,
        .saved_x = app.saved_position.x,
        .saved_y = app.saved_position.y,
        .usable_right = app.screen.right,
        .usable_bottom = app.screen.bottom,
    });
    SetWindowPos(app.main_window, nullptr, position.x, position.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace trevalon
