#include "window/window_keys_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "window/image_buttons_win.h"
#include "window/key_map.h"
#include "window/window_controls_win.h"
#include "window/window_events_win.h"
#include "window/window_numbers.h"
#include "window/window_state_win.h"

namespace trevalon {
namespace {

constexpr UINT_PTR kHoverSubclass = 1;

std::chrono::milliseconds now() {
    return std::chrono::milliseconds(GetTickCount64());
}

void redraw_row(HWND list, int row) {
    if (row >= 0)
        SendMessageW(list, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
}

void set_hot_row(WindowState& state, int row) {
    int& hot = state.keyboard.hot_row;
    if (row == hot)
        return;
    HWND list = state.window.list.window();
    const int old = hot;
    hot = row;
    redraw_row(list, old);
    redraw_row(list, row);
}

LRESULT CALLBACK list_hover_proc(HWND list, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                 DWORD_PTR data) {
    auto& state = *reinterpret_cast<WindowState*>(data);
    switch (message) {
        case WM_MOUSEMOVE: {
            int row = -1;
            // Only a single click starts an entry: there the row under the
            // pointer shows that it would.
            if (state.settings.explorer_list_click_event == 0) {
                LVHITTESTINFO probe{};
                probe.pt = POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
                const auto hit = static_cast<int>(
                    SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&probe)));
                if (hit >= 0 && (probe.flags & LVHT_ONITEM))
                    row = hit;
            }
            set_hot_row(state, row);
            TRACKMOUSEEVENT leave{sizeof(leave), TME_LEAVE, list, 0};
            TrackMouseEvent(&leave);
            break;
        }
        case WM_MOUSELEAVE:
            set_hot_row(state, -1);
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(list, list_hover_proc, kHoverSubclass);
            break;
        default:
            break;
    }
    return DefSubclassProc(list, message, wparam, lparam);
}

POINT below_in_screen(HWND control, const RECT& box) {
    POINT at{box.left, box.bottom};
    ClientToScreen(control, &at);
    return at;
}

}  // namespace

unsigned focus_place(const WindowControls& controls, HWND focus) {
    if (focus && focus == controls.tree.window())
        return kInTree;
    if (focus && focus == controls.list.window())
        return kInList;
    if (focus && focus == controls.search_field)
        return kInSearchField;
    if (focus && focus == controls.upper_toolbar)
        return kInUpperStrip;
    if (focus && focus == controls.lower_toolbar)
        return kInLowerStrip;
    for (const ImageButton& button : kImageButtons) {
        if (focus && focus == controls.control(button.control))
            return kInBottomRow;
    }
    return kElsewhere;
}

unsigned held_modifiers() {
    unsigned modifiers = kNoModifier;
    if (GetKeyState(VK_CONTROL) < 0)
        modifiers |= kCtrl;
    if (GetKeyState(VK_SHIFT) < 0)
        modifiers |= kShift;
    if (GetKeyState(VK_MENU) < 0)
        modifiers |= kAlt;
    if (GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0)
        modifiers |= kWin;
    return modifiers;
}

std::optional<Event> key_event(const WindowControls& controls, const MSG& message,
                               unsigned modifiers) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)
        return std::nullopt;
    const KeyBinding* binding = find_key_binding(static_cast<int>(message.wParam), modifiers,
                                                 focus_place(controls, message.hwnd));
    if (!binding)
        return std::nullopt;
    return main_window_command(binding->command, binding->gate == KeyGate::context_menu);
}

bool type_into_search_field(WindowState& state, const MSG& message) {
    HWND field = state.window.search_field;
    if (message.message != WM_CHAR || !field)
        return false;
    const unsigned place = focus_place(state.window, message.hwnd);
    if ((place != kInTree && place != kInList) ||
        !starts_type_to_search(static_cast<char32_t>(message.wParam)))
        return false;
    // The first character starts a new search; the second half of a
    // character beyond the BMP follows it into the same text.
    if (GetFocus() != field)
        focus_search_field(state);
    const wchar_t typed[2] = {static_cast<wchar_t>(message.wParam), L'\0'};
    SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed));
    return true;
}

void focus_search_field(WindowState& state) {
    if (HWND field = state.window.search_field) {
        SetFocus(field);
        SendMessageW(field, EM_SETSEL, 0, -1);
    }
}

void focus_pane(WindowState& state, unsigned place) {
    if (place == kInTree && state.window.tree.window()) {
        SetFocus(state.window.tree.window());
    } else if (place == kInList && state.window.list.window()) {
        state.window.list.focus();
    } else if (place == kInSearchField) {
        focus_search_field(state);
    } else if (place == kInUpperStrip) {
        focus_buttons(state, state.window.upper_toolbar);
    } else if (place == kInLowerStrip) {
        focus_buttons(state, state.window.lower_toolbar);
    } else if (place == kInBottomRow) {
        focus_buttons(state, state.window.control(kImageButtons.front().control));
    }
}

void focus_list_from_field(WindowState& state) {
    FileList& list = state.window.list;
    if (!list.window())
        return;
    int row = list.state();
    if (row < 0 && list.row_count() > 0)
        row = 0;
    if (row >= 0)
        list.select_row(row);
    list.focus();
}

void hide_main_window(WindowState& state) {
    if (!state.main_window)
        return;
    ShowWindow(state.main_window,
               state.settings.window_close_to_tab_bar >= 1 ? SW_MINIMIZE : SW_HIDE);
}

bool main_window_in_front(const WindowState& state) {
    HWND main = state.main_window;
    if (!main || !IsWindowVisible(main) || IsIconic(main))
        return false;
    HWND front = GetForegroundWindow();
    return front && (front == main || GetAncestor(front, GA_ROOTOWNER) == main);
}

std::optional<LRESULT> activation_focus(WindowState& state, WPARAM wparam, LPARAM lparam) {
    HWND main = state.main_window;
    if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(main, focus))
            state.keyboard.focus_left = focus;
        return std::nullopt;
    }
    if (HIWORD(wparam) != 0)  // activated while minimised: nothing to focus yet
        return std::nullopt;
    const auto other = reinterpret_cast<HWND>(lparam);
    DWORD other_process = 0;
    if (other)
        GetWindowThreadProcessId(other, &other_process);
    HWND back = state.keyboard.focus_left;
    if (other && other_process == GetCurrentProcessId() && back && IsWindow(back) &&
        IsChild(main, back)) {
        SetFocus(back);
    } else {
        focus_search_field(state);
    }
    return 0;
}

void note_tree_key_move(WindowState& state) {
    if (!state.main_window)
        return;
    state.keyboard.tree_rest.note_key(now());
    SetTimer(state.main_window, kTreeRestTimer, static_cast<UINT>(kTreeKeyRest.count()), nullptr);
}

bool tree_rest_timer(WindowState& state, UINT_PTR timer) {
    if (timer != kTreeRestTimer)
        return false;
    KeyRest& rest = state.keyboard.tree_rest;
    if (rest.take_due(now())) {
        KillTimer(state.main_window, kTreeRestTimer);
        post_event(state, main_window_command(kOpenTreeSelectionCommand, false));
    } else if (const auto remaining = rest.remaining(now())) {
        SetTimer(state.main_window, kTreeRestTimer, static_cast<UINT>(remaining->count()), nullptr);
    } else {
        KillTimer(state.main_window, kTreeRestTimer);
    }
    return true;
}

void start_list_hover(WindowState& state) {
    for (HWND list : state.window.list.windows()) {
        if (list)
            SetWindowSubclass(list, list_hover_proc, kHoverSubclass,
                              reinterpret_cast<DWORD_PTR>(&state));
    }
}

std::optional<LRESULT> list_custom_draw(const WindowState& state, LPARAM lparam) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lparam);
    if (!draw || draw->nmcd.hdr.code != NM_CUSTOMDRAW ||
        !state.window.list.owns(draw->nmcd.hdr.hwndFrom))
        return std::nullopt;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
        return state.keyboard.hot_row >= 0 ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
        static_cast<int>(draw->nmcd.dwItemSpec) == state.keyboard.hot_row &&
        !(draw->nmcd.uItemState & CDIS_SELECTED)) {
        draw->clrText = state.window.palette.hover_text;
        draw->clrTextBk = state.window.palette.hover_background;
        return CDRF_NEWFONT;
    }
    return CDRF_DODEFAULT;
}

POINT tree_menu_point(const WindowState& state) {
    const FolderTree& tree = state.window.tree;
    RECT box{};
    if (!TreeView_GetItemRect(tree.window(), tree.item_handle(tree.selected()), &box, TRUE))
        box = RECT{0, 0, 0, 0};
    return below_in_screen(tree.window(), box);
}

POINT list_menu_point(const WindowState& state) {
    const FileList& list = state.window.list;
    RECT box{};
    box.left = LVIR_LABEL;
    const int row = list.state();
    if (row < 0 || !SendMessageW(list.window(), LVM_GETITEMRECT, static_cast<WPARAM>(row),
                                 reinterpret_cast<LPARAM>(&box)))
        box = RECT{0, 0, 0, 0};
    return below_in_screen(list.window(), box);
}

}  // namespace trevalon
