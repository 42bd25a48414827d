#include "window/main_window_win.h"

#include <commctrl.h>

#include <string>

#include "errors/statement_marker.h"
#include "platform/busy_frame_win.h"
#include "platform/wide_win.h"
#include "resources/resource_ids.h"
#include "texts/text_table.h"
#include "window/dpi_win.h"
#include "window/key_map.h"
#include "window/image_buttons_win.h"
#include "window/list_views_win.h"
#include "window/pinning_win.h"
#include "window/placement.h"
#include "window/window_colours_win.h"
#include "window/window_controls_win.h"
#include "window/window_events_win.h"
#include "window/window_keys_win.h"
#include "window/window_numbers.h"
#include "window/window_state_win.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::main_window;

WindowState* state_of(HWND window) {
    return reinterpret_cast<WindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The toolbars ask their parent for each button's tooltip.
bool answer_tooltip(WindowState& state, LPARAM lparam) {
    auto* request = reinterpret_cast<NMTTDISPINFOW*>(lparam);
    if (!request || request->hdr.code != TTN_GETDISPINFOW)
        return false;
    const auto from = request->hdr.hwndFrom;
    bool from_toolbar = false;
    for (HWND toolbar : {state.window.upper_toolbar, state.window.lower_toolbar}) {
        if (toolbar && from == reinterpret_cast<HWND>(SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0)))
            from_toolbar = true;
    }
    if (!from_toolbar)
        return false;
    const auto command = static_cast<int>(request->hdr.idFrom);
    const std::string_view key = toolbar_tooltip_key(command);
    state.window.tooltip_text =
        key.empty() ? std::wstring() : utf8_to_wide(with_key_name(text(key), command));
    request->lpszText = state.window.tooltip_text.data();
    return true;
}

// The tree's selection moved by a key (not by a click or by the program).
bool tree_moved_by_key(const WindowState& state, LPARAM lparam) {
    const auto* change = reinterpret_cast<const NMTREEVIEWW*>(lparam);
    return change && change->hdr.hwndFrom == state.window.tree.window() &&
           change->hdr.code == TVN_SELCHANGEDW && change->action == TVC_BYKEYBOARD;
}

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    WindowState* state = state_of(window);
    if (!state)
        return DefWindowProcW(window, message, wparam, lparam);
    if (const auto answer = main_window_callback(*state, window, message, wparam, lparam))
        return *answer;

    // The system's colours or apps theme changed: the window follows at once.
    if (is_colour_change(message, wparam, lparam))
        follow_colour_change(*state);

    switch (message) {
        case kEventWaitingMessage:
            // Only wakes the loop; the event itself waits in the queue.
            return 0;
        case WM_SETCURSOR:
            // While the program works (and dispatches messages meanwhile, as
            // during a bookmark's look-ups) the pointer keeps the wait cursor.
            if (HCURSOR wait = busy_cursor()) {
                SetCursor(wait);
                return TRUE;
            }
            break;
        case WM_NOTIFY:
            if (answer_tooltip(*state, lparam))
                return 0;
            announce_hot_button(state->window, lparam);
            if (const auto* header = reinterpret_cast<const NMHDR*>(lparam);
                header && state->window.list.owns(header->hwndFrom)) {
                if (header->code == NM_CUSTOMDRAW) {
                    // The hover highlight, then where search results live.
                    const LRESULT hover = list_custom_draw(*state, lparam).value_or(CDRF_DODEFAULT);
                    return state->window.list.draw_locations(
                        *reinterpret_cast<NMLVCUSTOMDRAW*>(lparam), hover);
                }
                if (const auto answer = state->window.list.answer_notification(*header))
                    return *answer;
            }
            if (auto* header = reinterpret_cast<NMHDR*>(lparam);
                header && header->code == NM_CUSTOMDRAW &&
                header->hwndFrom == state->window.tree.window()) {
                return state->window.tree.custom_draw(*reinterpret_cast<NMTVCUSTOMDRAW*>(lparam));
            }
            if (tree_moved_by_key(*state, lparam))
                note_tree_key_move(*state);
            break;
        case WM_ACTIVATE:
            if (const auto handled = activation_focus(*state, wparam, lparam))
                return *handled;
            break;
        case WM_TIMER:
            if (wparam == kPinningTimer) {
                check_pinning(*state);
                return 0;
            }
            if (tree_rest_timer(*state, wparam))
                return 0;
            break;
        case WM_HOTKEY:
            // The hotkey and the Windows key alone: shown or hidden by the
            // loop, like every command.
            post_event(*state, main_window_command(kShowOrHideCommand));
            return 0;
        case WM_DRAWITEM:
            if (const auto drawn = draw_image_button(state->window, lparam))
                return *drawn;
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            if (const auto brush = colour_control(state->window, message, wparam, lparam))
                return *brush;
            break;
        case WM_ERASEBKGND:
            if (const auto erased =
                    erase_background(state->window, window, reinterpret_cast<HDC>(wparam)))
                return *erased;
            break;
        case WM_DPICHANGED: {
            // On a monitor of another resolution: the suggested place, then
            // everything at the new resolution.
            if (const auto* suggested = reinterpret_cast<const RECT*>(lparam)) {
                SetWindowPos(window, nullptr, suggested->left, suggested->top,
                             suggested->right - suggested->left, suggested->bottom - suggested->top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
            }
            apply_dpi(*state, HIWORD(wparam));
            InvalidateRect(window, nullptr, TRUE);
            return 0;
        }
        default:
            break;
    }
    if (auto event = event_from_message(state->window, message, wparam, lparam)) {
        post_event(*state, std::move(*event));
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
    // The program's icon in the title bar (small) and the taskbar (large).
    window_class.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP),
                                                       IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                       GetSystemMetrics(SM_CYICON), LR_SHARED));
    window_class.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP),
                                                         IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                         GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = class_name.c_str();
    return RegisterClassExW(&window_class) != 0;
}

void move_control(HWND control, const Rect& rect) {
    if (control) {
        SetWindowPos(control, nullptr, rect.x, rect.y, rect.width, rect.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void centre_on_screen(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool build_main_window(WindowState& state, WindowForm form) {
    TREVALON_MARK();
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES |
                                                ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
    if (!register_main_window_class(state.instance))
        return false;
    const SIZE frame =
        frame_size_for_inner({kMainInnerWidth, kMainInnerHeight}, kMainWindowStyle, 0, 96);
    state.main_window = CreateWindowExW(
        0, utf8_to_wide(kMainWindowClass).c_str(), utf8_to_wide(find_text("Program_Name")).c_str(),
        kMainWindowStyle, 0, 0, frame.cx, frame.cy, nullptr, nullptr, state.instance, &state);
    if (!state.main_window)
        return false;

    // The layout is in pixels at 96 dpi; the window is as large as its
    // resolution makes those pixels.
    state.window.dpi = window_dpi(state.main_window);
    const MainLayout layout = main_layout(WindowForm::full, state.window.dpi);
    set_inner_size(state, layout.inner.width, layout.inner.height);
    centre_on_screen(state.main_window);

    TREVALON_MARK();
    state.window.form = form;
    build_controls(state);
    if (form != WindowForm::full) {
        const MainLayout built = main_layout(form, state.window.dpi);
        set_inner_size(state, built.inner.width, built.inner.height);
    }
    start_list_hover(state);
    start_button_keys(state);
    return true;
}

void place_main_window(WindowState& state) {
    TREVALON_MARK();
    RECT frame{};
    if (!state.main_window || !GetWindowRect(state.main_window, &frame))
        return;
    const int dpi = state.window.dpi;
    const int full_height = frame.bottom - frame.top +
                            main_layout(WindowForm::full, dpi).inner.height -
                            main_layout(state.window.form, dpi).inner.height;
    const WindowPosition position = place_window(WindowPlacementInput{
        .centred_x = frame.left,
        .centred_y = frame.top,
        .width = frame.right - frame.left,
        .height = full_height,
        .saved_x = state.saved_position.x,
        .saved_y = state.saved_position.y,
        .usable_right = state.screen.right,
        .usable_bottom = state.screen.bottom,
    });
    SetWindowPos(state.main_window, nullptr, position.x, position.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void set_inner_size(WindowState& state, int width, int height) {
    RECT frame{};
    RECT inner{};
    if (!state.main_window || !GetWindowRect(state.main_window, &frame) ||
        !GetClientRect(state.main_window, &inner))
        return;
    // The frame grows by exactly what the inner area lacks, whatever the
    // frame's own metrics are.
    SetWindowPos(state.main_window, nullptr, 0, 0, frame.right - frame.left + width - inner.right,
                 frame.bottom - frame.top + height - inner.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void apply_layout(WindowState& state) {
    WindowControls& controls = state.window;
    const MainLayout layout = main_layout(controls.form, controls.dpi);
    set_inner_size(state, layout.inner.width, layout.inner.height);
    for (const auto& [toolbar, origin] :
         {std::pair{controls.upper_toolbar, layout.upper_toolbar},
          std::pair{controls.lower_toolbar, layout.lower_toolbar}}) {
        if (toolbar) {
            SetWindowPos(toolbar, nullptr, origin.x, origin.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    move_control(controls.tree_caption, layout.tree_caption);
    move_control(controls.list_caption, layout.list_caption);
    move_control(controls.tree_container, layout.tree_container);
    move_control(controls.tree.window(), layout.tree);
    move_control(controls.list_container, layout.list_container);
    move_control(controls.list.window(), layout.list);
    move_control(controls.size_button, layout.size_button);
    move_control(controls.back_button, layout.back_button);
    move_control(controls.bookmarks_button, layout.bookmarks_button);
    move_control(controls.search_button, layout.search_button);
    move_control(controls.search_field, layout.search_field);
    const int image = controls.form == WindowForm::full ? kSmallerImage : kLargerImage;
    if (controls.size_button) {
        set_button_picture(controls.size_button, controls.button_icons[image].get());
    }
}

void set_window_text(HWND window, std::string_view text) {
    if (window)
        SetWindowTextW(window, utf8_to_wide(text).c_str());
}

std::string window_text(HWND window) {
    if (!window)
        return {};
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return wide_to_utf8(text);
}

}  // namespace trevalon
