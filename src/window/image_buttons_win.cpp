#include "window/image_buttons_win.h"

#include <commctrl.h>

#include <array>

#include "platform/wide_win.h"
#include "window/window_colours_win.h"
#include "window/window_controls_win.h"
#include "window/window_numbers.h"
#include "window/window_state_win.h"

namespace trevalon {
namespace {

constexpr UINT_PTR kButtonSubclass = 2;
constexpr UINT_PTR kToolbarSubclass = 3;

std::array<HWND, 4> image_buttons(const WindowControls& controls) {
    std::array<HWND, 4> buttons{};
    for (std::size_t i = 0; i < kImageButtons.size(); ++i)
        buttons[i] = controls.control(kImageButtons[i].control);
    return buttons;
}

// A click keeps the focus where it was: the mouse presses a picture, as on
// the toolbars, and typing goes on in the search field. The keyboard's way
// in is Tab.
LRESULT CALLBACK button_proc(HWND button, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                             DWORD_PTR data) {
    HWND& before = reinterpret_cast<WindowState*>(data)->keyboard.focus_before_click;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            HWND focus = GetFocus();
            before = focus != button ? focus : nullptr;
            break;
        }
        case WM_LBUTTONUP: {
            const LRESULT result = DefSubclassProc(button, message, wparam, lparam);
            if (before && IsWindow(before) && GetFocus() == button)
                SetFocus(before);
            before = nullptr;
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(button, button_proc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(button, message, wparam, lparam);
}

void mark_first_button(HWND toolbar) {
    if (SendMessageW(toolbar, TB_GETHOTITEM, 0, 0) >= 0)
        return;
    const auto count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&button));
        if (!(button.fsStyle & BTNS_SEP) && (button.fsState & TBSTATE_ENABLED)) {
            SendMessageW(toolbar, TB_SETHOTITEM, static_cast<WPARAM>(i), 0);
            return;
        }
    }
}

LRESULT CALLBACK toolbar_proc(HWND toolbar, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                              DWORD_PTR) {
    switch (message) {
        case WM_SETFOCUS: {
            const LRESULT result = DefSubclassProc(toolbar, message, wparam, lparam);
            mark_first_button(toolbar);
            return result;
        }
        case WM_KILLFOCUS:
            SendMessageW(toolbar, TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(toolbar, toolbar_proc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(toolbar, message, wparam, lparam);
}

}  // namespace

HWND create_image_button(HWND parent, const Rect& rect, int control, HICON icon,
                         const std::string& name) {
    HWND button = CreateWindowExW(0, L"BUTTON", utf8_to_wide(name).c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW | BS_NOTIFY,
                                  rect.x, rect.y, rect.width, rect.height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(control)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (button && icon)
        set_button_picture(button, icon);
    return button;
}

HICON button_picture(HWND button) {
    return reinterpret_cast<HICON>(SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0));
}

void set_button_picture(HWND button, HICON icon) {
    if (!button)
        return;
    SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    InvalidateRect(button, nullptr, TRUE);
}

std::optional<LRESULT> draw_image_button(const WindowControls& controls, LPARAM lparam) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    if (!item || item->CtlType != ODT_BUTTON)
        return std::nullopt;
    bool ours = false;
    for (HWND button : image_buttons(controls))
        ours = ours || (button && button == item->hwndItem);
    if (!ours)
        return std::nullopt;
    RECT box = item->rcItem;
    FillRect(item->hDC, &box, face_brush(controls));
    if (HICON icon = button_picture(item->hwndItem)) {
        ICONINFO info{};
        int width = 0;
        int height = 0;
        if (GetIconInfo(icon, &info)) {
            BITMAP bits{};
            if (info.hbmColor && GetObjectW(info.hbmColor, sizeof(bits), &bits)) {
                width = bits.bmWidth;
                height = bits.bmHeight;
            } else if (info.hbmMask && GetObjectW(info.hbmMask, sizeof(bits), &bits)) {
                width = bits.bmWidth;
                height = bits.bmHeight / 2;
            }
            if (info.hbmColor)
                DeleteObject(info.hbmColor);
            if (info.hbmMask)
                DeleteObject(info.hbmMask);
        }
        const int pressed = (item->itemState & ODS_SELECTED) ? 1 : 0;
        DrawIconEx(item->hDC, box.left + (box.right - box.left - width) / 2 + pressed,
                   box.top + (box.bottom - box.top - height) / 2 + pressed, icon, width, height, 0,
                   nullptr, DI_NORMAL);
    }
    if ((item->itemState & ODS_FOCUS) && GetFocus() == item->hwndItem)
        DrawFocusRect(item->hDC, &box);
    return TRUE;
}

int focused_image_button(const WindowControls& controls) {
    HWND focus = GetFocus();
    for (const ImageButton& button : kImageButtons) {
        if (focus && controls.control(button.control) == focus)
            return button.control;
    }
    return 0;
}

void move_button_focus(WindowState& state, bool backward) {
    const std::array<HWND, 4> buttons = image_buttons(state.window);
    HWND focus = GetFocus();
    std::size_t at = 0;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i] == focus)
            at = i;
    }
    for (std::size_t step = 1; step <= buttons.size(); ++step) {
        const std::size_t next = (at + (backward ? buttons.size() - step : step)) % buttons.size();
        if (buttons[next] && IsWindowVisible(buttons[next])) {
            SetFocus(buttons[next]);
            return;
        }
    }
}

void focus_buttons(WindowState& state, HWND toolbar_or_button) {
    if (!toolbar_or_button || !IsWindowVisible(toolbar_or_button))
        return;
    SetFocus(toolbar_or_button);
    if (toolbar_or_button == state.window.upper_toolbar ||
        toolbar_or_button == state.window.lower_toolbar)
        mark_first_button(toolbar_or_button);
}

void announce_hot_button(const WindowControls& controls, LPARAM lparam) {
    const auto* change = reinterpret_cast<const NMTBHOTITEM*>(lparam);
    if (!change || change->hdr.code != TBN_HOTITEMCHANGE || (change->dwFlags & HICF_LEAVING))
        return;
    HWND toolbar = change->hdr.hwndFrom;
    if (!toolbar || GetFocus() != toolbar ||
        (toolbar != controls.upper_toolbar && toolbar != controls.lower_toolbar))
        return;
    const auto index = static_cast<LONG>(
        SendMessageW(toolbar, TB_COMMANDTOINDEX, static_cast<WPARAM>(change->idNew), 0));
    if (index >= 0)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, toolbar, OBJID_CLIENT, index + 1);
}

void start_button_keys(WindowState& state) {
    for (HWND button : image_buttons(state.window)) {
        if (button)
            SetWindowSubclass(button, button_proc, kButtonSubclass,
                              reinterpret_cast<DWORD_PTR>(&state));
    }
    for (HWND toolbar : {state.window.upper_toolbar, state.window.lower_toolbar}) {
        if (toolbar)
            SetWindowSubclass(toolbar, toolbar_proc, kToolbarSubclass, 0);
    }
}

}  // namespace trevalon
