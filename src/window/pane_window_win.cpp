#include "window/pane_window_win.h"

namespace trevalon {
namespace {

constexpr wchar_t kPaneClass[] = L"TrevalonPane";

LRESULT CALLBACK pane_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            break;
        }
        case WM_ERASEBKGND: {
            RECT area{};
            GetClientRect(window, &area);
            FillRect(reinterpret_cast<HDC>(wparam), &area,
                     reinterpret_cast<HBRUSH>(GetWindowLongPtrW(window, GWLP_USERDATA)));
            return 1;
        }
        case WM_NOTIFY:
        case WM_COMMAND:
        case WM_CONTEXTMENU:
            return SendMessageW(GetParent(window), message, wparam, lparam);
        default:
            break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

bool register_pane_class(HINSTANCE instance) {
    WNDCLASSEXW pane_class{};
    if (GetClassInfoExW(instance, kPaneClass, &pane_class))
        return true;
    pane_class.cbSize = sizeof(pane_class);
    pane_class.lpfnWndProc = pane_proc;
    pane_class.hInstance = instance;
    pane_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    pane_class.lpszClassName = kPaneClass;
    return RegisterClassExW(&pane_class) != 0;
}

}  // namespace

HWND create_pane_window(HWND parent, const Rect& rect, int control_id, HBRUSH background) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!register_pane_class(instance))
        return nullptr;
    return CreateWindowExW(0, kPaneClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect.x,
                           rect.y, rect.width, rect.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)), instance,
                           background);
}

void set_pane_background(HWND pane, HBRUSH background) {
    if (!pane)
        return;
    SetWindowLongPtrW(pane, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(background));
    InvalidateRect(pane, nullptr, TRUE);
}

}  // namespace trevalon
