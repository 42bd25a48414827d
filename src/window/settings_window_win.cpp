#include "window/settings_window_win.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <string>
#include <vector>

#include "errors/statement_marker.h"
#include "platform/dialogs_win.h"
#include "platform/file_ops_win.h"
#include "platform/settings_store_win.h"
#include "platform/wide_win.h"
#include "resources/resource_ids.h"
#include "settings/settings_form.h"
#include "texts/text_table.h"
#include "window/edge_watcher_win.h"
#include "window/hotkey_win.h"
#include "window/list_views_win.h"
#include "window/pinning_win.h"
#include "window/window_colours_win.h"
#include "window/window_state_win.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::settings_window;
namespace control = settings_control;
using Kind = SettingsControlKind;

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
// The spin field's arrows; not a control of its own for the event loop.
constexpr int kSpinArrows = 1000 + control::kKeepDays;

WindowState* state_of(HWND window) {
    return reinterpret_cast<WindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND panel_of(HWND window) {
    return GetDlgItem(window, control::kTabPanel);
}

std::string window_text(HWND window) {
    const int length = window ? GetWindowTextLengthW(window) : 0;
    if (length <= 0)
        return {};
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, buffer.data(), length + 1);
    buffer.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return wide_to_utf8(buffer);
}

void set_window_text(HWND window, std::string_view text) {
    SetWindowTextW(window, utf8_to_wide(text).c_str());
}

bool is_checked(const WindowState& state, int number) {
    return SendMessageW(settings_window_control(state, number), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void set_checked(HWND control_window, bool checked) {
    SendMessageW(control_window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The controls that raise events for the loop.
bool raises_events(int number) {
    switch (number) {
        case control::kChooseFolder:
        case control::kDefaultFolder:
        case control::kPinProgram:
        case control::kEdgeRest:
        case control::kEdgeSwipe:
        case control::kConfirm:
            return true;
        default:
            return false;
    }
}

// Shows the controls of one tab and hides the others'.
void show_tab(HWND window, int tab) {
    HWND panel = panel_of(window);
    for (const SettingsControl& c : settings_controls()) {
        if (c.tab == kOutsideThePanel)
            continue;
        const int show = c.tab == tab ? SW_SHOW : SW_HIDE;
        ShowWindow(GetDlgItem(panel, c.number), show);
        if (c.kind == Kind::kSpinField)
            ShowWindow(GetDlgItem(panel, kSpinArrows), show);
    }
}

// The panel's children report to the panel; the window is where they are
// handled. Labels take the panel's own background, which a themed panel
// paints lighter than the window.
LRESULT CALLBACK panel_proc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                            DWORD_PTR window) {
    switch (message) {
        case WM_COMMAND:
            return SendMessageW(reinterpret_cast<HWND>(window), message, wparam, lparam);
        case WM_CTLCOLORSTATIC: {
            HWND child = reinterpret_cast<HWND>(lparam);
            wchar_t class_name[16] = {};
            GetClassNameW(child, class_name, 16);
            // Read-only fields keep their own look.
            if (lstrcmpiW(class_name, L"Edit") == 0)
                break;
            HDC dc = reinterpret_cast<HDC>(wparam);
            SetBkMode(dc, TRANSPARENT);
            DrawThemeParentBackground(child, dc, nullptr);
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(panel, panel_proc, 0);
            break;
        default:
            break;
    }
    return DefSubclassProc(panel, message, wparam, lparam);
}

HWND create_child(HWND parent, const wchar_t* class_name, std::string_view text, DWORD style,
                  DWORD ex_style, ControlRect rect, int number, const WindowState& state) {
    HWND child = CreateWindowExW(ex_style, class_name, utf8_to_wide(text).c_str(), WS_CHILD | style,
                                 rect.x, rect.y, rect.width, rect.height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)),
                                 state.instance, nullptr);
    if (child && state.ui.fonts.font1)
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(state.ui.fonts.font1.get()),
                     FALSE);
    return child;
}

HWND create_panel(WindowState& state, HWND window, ControlRect rect) {
    // A control parent, so Tab moves on into the controls on the panel.
    HWND panel = create_child(window, WC_TABCONTROLW, {}, WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP,
                              WS_EX_CONTROLPARENT, rect, control::kTabPanel, state);
    if (!panel)
        return nullptr;
    int index = 0;
    for (const std::string_view key : settings_tab_text_keys()) {
        std::wstring caption = utf8_to_wide(text(key));
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(panel, TCM_INSERTITEMW, static_cast<WPARAM>(index++),
                     reinterpret_cast<LPARAM>(&item));
    }
    SetWindowSubclass(panel, panel_proc, 0, reinterpret_cast<DWORD_PTR>(window));
    return panel;
}

void create_control(WindowState& state, HWND parent, const SettingsControl& c, int dpi) {
    const ControlRect rect = scale_rect(c.rect, dpi);
    const DWORD visible = c.tab <= 0 ? WS_VISIBLE : 0;  // the first tab shows first
    const std::string_view caption = c.text_key.empty() ? std::string_view() : text(c.text_key);
    switch (c.kind) {
        case Kind::kTabPanel:
            break;
        case Kind::kFrame: {
            // A frame ends the option buttons' group before it.
            create_child(parent, L"Button", caption, visible | BS_GROUPBOX | WS_GROUP, 0, rect,
                         c.number, state);
            break;
        }
        case Kind::kCheckBox:
            create_child(parent, L"Button", caption, visible | BS_AUTOCHECKBOX | WS_TABSTOP, 0,
                         rect, c.number, state);
            break;
        case Kind::kOptionButton: {
            const DWORD first = starts_option_group(c.number) ? WS_GROUP | WS_TABSTOP : 0;
            create_child(parent, L"Button", caption, visible | BS_AUTORADIOBUTTON | first, 0, rect,
                         c.number, state);
            break;
        }
        case Kind::kReadOnlyField:
            create_child(parent, L"Edit", caption,
                         visible | ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                         rect, c.number, state);
            break;
        case Kind::kButton: {
            const DWORD push = c.number == control::kConfirm ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
            create_child(parent, L"Button", caption, visible | push | WS_TABSTOP, 0, rect, c.number,
                         state);
            break;
        }
        case Kind::kSpinField: {
            // Changed by its arrows only: the field itself takes no typing.
            HWND field = create_child(parent, L"Edit", {},
                                      visible | ES_READONLY | ES_NUMBER | ES_RIGHT | WS_TABSTOP,
                                      WS_EX_CLIENTEDGE, rect, c.number, state);
            HWND arrows = create_child(
                parent, UPDOWN_CLASSW, {},
                visible | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0,
                ControlRect{}, kSpinArrows, state);
            if (field && arrows) {
                SendMessageW(arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(field), 0);
                SendMessageW(arrows, UDM_SETRANGE32, kKeepDaysMin, kKeepDaysMax);
            }
            break;
        }
        case Kind::kHotkeyField: {
            HWND field = create_child(parent, HOTKEY_CLASSW, {}, visible | WS_TABSTOP,
                                      WS_EX_CLIENTEDGE, rect, c.number, state);
            // A key alone or with Shift alone would be taken from every
            // program's typing: such a choice gets Ctrl+Alt.
            if (field)
                SendMessageW(field, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                             MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
            break;
        }
        case Kind::kLabel:
            create_child(parent, L"Static", caption, visible | SS_LEFT, 0, rect, c.number, state);
            break;
        case Kind::kPicture: {
            HWND picture =
                create_child(parent, L"Static", {}, visible | SS_BITMAP | SS_REALSIZECONTROL, 0,
                             rect, c.number, state);
            if (picture && state.ui.picture(c.picture)) {
                SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP,
                             reinterpret_cast<LPARAM>(state.ui.picture(c.picture)));
            }
            break;
        }
    }
}

// The hotkey field's value: the key in the low byte, its own modifier flags
// in the high one. The field has no flag for the Windows key.
WPARAM hotkey_field_value(const Hotkey& hotkey) {
    BYTE flags = 0;
    if (hotkey.modifiers & kHotkeyShift)
        flags |= HOTKEYF_SHIFT;
    if (hotkey.modifiers & kHotkeyCtrl)
        flags |= HOTKEYF_CONTROL;
    if (hotkey.modifiers & kHotkeyAlt)
        flags |= HOTKEYF_ALT;
    return MAKEWORD(static_cast<BYTE>(hotkey.key), flags);
}

Hotkey hotkey_of_field(WORD value) {
    Hotkey hotkey;
    hotkey.key = LOBYTE(value);
    const BYTE flags = HIBYTE(value);
    if (hotkey.key == 0)
        return hotkey;
    if (flags & HOTKEYF_SHIFT)
        hotkey.modifiers |= kHotkeyShift;
    if (flags & HOTKEYF_CONTROL)
        hotkey.modifiers |= kHotkeyCtrl;
    if (flags & HOTKEYF_ALT)
        hotkey.modifiers |= kHotkeyAlt;
    return hotkey;
}

void show_form(HWND window, const WindowState& state, const SettingsForm& form) {
    const auto item = [&state](int number) { return settings_window_control(state, number); };
    set_checked(item(control::kAutostart), form.autostart);
    const int option = form.menu_on_start == 0   ? control::kStartOwnMenu
                       : form.menu_on_start == 1 ? control::kStartWindowsMenu
                                                 : control::kStartLastMenu;
    set_checked(item(option), true);
    set_window_text(item(control::kOwnMenuField), form.own_menu);
    set_checked(item(control::kCloseToTabBar), form.close_to_tab_bar);
    SendMessageW(GetDlgItem(panel_of(window), kSpinArrows), UDM_SETPOS32, 0, form.keep_days);
    set_checked(item(control::kSearchRecent), form.search_recent);
    set_checked(item(control::kInternet), form.internet);
    set_checked(item(control::kDoubleClick), form.double_click);
    set_checked(item(control::kEdgeRest), form.edge_rest);
    set_checked(item(control::kEdgeSwipe), form.edge_swipe);
    SendMessageW(item(control::kHotkeyField), HKM_SETHOTKEY, hotkey_field_value(form.hotkey), 0);
    set_checked(item(control::kWindowsKey), form.windows_key);
    set_checked(item(form.theme == kThemeLight  ? control::kThemeLightOption
                     : form.theme == kThemeDark ? control::kThemeDarkOption
                                                : control::kThemeSystemOption),
                true);
}

SettingsForm read_form(HWND window, const WindowState& state) {
    SettingsForm form;
    form.autostart = is_checked(state, control::kAutostart);
    form.menu_on_start = is_checked(state, control::kStartOwnMenu)       ? 0
                         : is_checked(state, control::kStartWindowsMenu) ? 1
                                                                         : 2;
    form.own_menu = window_text(settings_window_control(state, control::kOwnMenuField));
    form.close_to_tab_bar = is_checked(state, control::kCloseToTabBar);
    BOOL failed = FALSE;
    const LRESULT days = SendMessageW(GetDlgItem(panel_of(window), kSpinArrows), UDM_GETPOS32, 0,
                                      reinterpret_cast<LPARAM>(&failed));
    form.keep_days = failed ? state.settings.keep_recent_objects_days : static_cast<int>(days);
    form.search_recent = is_checked(state, control::kSearchRecent);
    form.double_click = is_checked(state, control::kDoubleClick);
    form.internet = is_checked(state, control::kInternet);
    form.edge_rest = is_checked(state, control::kEdgeRest);
    form.edge_swipe = is_checked(state, control::kEdgeSwipe);
    const auto field = static_cast<WORD>(
        SendMessageW(settings_window_control(state, control::kHotkeyField), HKM_GETHOTKEY, 0, 0));
    form.hotkey = hotkey_from_field(hotkey_of_field(field), hotkey_setting(state.settings.hotkey));
    form.windows_key = is_checked(state, control::kWindowsKey);
    form.theme = is_checked(state, control::kThemeLightOption)  ? kThemeLight
                 : is_checked(state, control::kThemeDarkOption) ? kThemeDark
                                                                : kThemeFollowsSystem;
    return form;
}

// The pictures' controls may have made copies of the bitmaps (a 32-bit
// bitmap is copied for alpha drawing); the originals belong to the program.
void release_picture_copies(HWND window, const WindowState& state) {
    for (const SettingsControl& c : settings_controls()) {
        if (c.kind != Kind::kPicture)
            continue;
        HWND picture = GetDlgItem(panel_of(window), c.number);
        const auto shown =
            reinterpret_cast<HBITMAP>(SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, 0));
        if (shown && shown != state.ui.picture(c.picture))
            DeleteObject(shown);
    }
}

// The control Tab (or Shift+Tab) moves to from the focus: round the tab
// row, the shown tab's controls and the confirm button. The system's own
// order would skip the controls on the tab row's panel, or stop at hidden
// ones.
HWND next_tab_stop(const WindowState& state, bool backwards) {
    HWND window = state.settings_window;
    HWND panel = panel_of(window);
    if (!panel)
        return nullptr;
    const int tab = static_cast<int>(SendMessageW(panel, TCM_GETCURSEL, 0, 0));
    const std::vector<int> stops =
        settings_tab_stops(tab, [&state](int number) { return is_checked(state, number); });
    // The focus, or the control it is inside (the spin field's arrows).
    HWND focus = GetFocus();
    int at = -1;
    for (HWND place = focus; place && place != window && at < 0; place = GetParent(place)) {
        const int id = GetDlgCtrlID(place);
        const int number = id == kSpinArrows ? control::kKeepDays : id;
        const auto found = std::find(stops.begin(), stops.end(), number);
        if (found != stops.end())
            at = static_cast<int>(found - stops.begin());
    }
    const auto count = static_cast<int>(stops.size());
    const int next = at < 0 ? (backwards ? count - 1 : 0)
                            : ((at + (backwards ? -1 : 1)) % count + count) % count;
    return settings_window_control(state, stops[static_cast<std::size_t>(next)]);
}

LRESULT CALLBACK settings_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    WindowState* state = state_of(window);
    switch (message) {
        case WM_COMMAND:
            // Enter and Esc, as the loop's dialog keys send them: Enter
            // confirms, Esc closes (both apply).
            if (lparam == 0 && LOWORD(wparam) == IDOK) {
                PostMessageW(window, kSettingsControlEvent, control::kConfirm, kLeftClick);
                return 0;
            }
            if (lparam == 0 && LOWORD(wparam) == IDCANCEL) {
                PostMessageW(window, kSettingsCloseEvent, 0, 0);
                return 0;
            }
            if (HIWORD(wparam) == BN_CLICKED && raises_events(LOWORD(wparam)))
                PostMessageW(window, kSettingsControlEvent, LOWORD(wparam), kLeftClick);
            return 0;
        case WM_NEXTDLGCTL: {
            // Tab and Shift+Tab, sent by the loop's dialog keys; a plain
            // window has to move the focus itself.
            HWND focus = lparam != 0 ? reinterpret_cast<HWND>(wparam)
                         : state     ? next_tab_stop(*state, wparam != 0)
                                     : nullptr;
            if (focus)
                SetFocus(focus);
            return 0;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lparam);
            if (header->idFrom == control::kTabPanel && header->code == TCN_SELCHANGE)
                show_tab(window,
                         static_cast<int>(SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
            return 0;
        }
        case WM_CLOSE:
            // Closing applies like the confirm button; the loop decides when.
            PostMessageW(window, kSettingsCloseEvent, 0, 0);
            return 0;
        case kSettingsControlEvent:
        case kSettingsCloseEvent:
            // Only reached when no loop took the event out of the queue.
            if (state) {
                MSG queued{window, message, wparam, lparam, 0, {}};
                if (const auto event = read_settings_window_event(*state, queued))
                    handle_settings_window_event(*state, *event);
            }
            return 0;
        case WM_DESTROY:
            if (state) {
                release_picture_copies(window, *state);
                if (state->settings_window == window)
                    state->settings_window = nullptr;
            }
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

bool register_settings_window_class(HINSTANCE instance) {
    const std::wstring class_name = utf8_to_wide(kSettingsWindowClass);
    WNDCLASSEXW window_class{};
    if (GetClassInfoExW(instance, class_name.c_str(), &window_class))
        return true;
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = settings_window_proc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP));
    window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = class_name.c_str();
    return RegisterClassExW(&window_class) != 0;
}

// Centred on the main window (on the screen without one), moved inside the
// work area so the confirm button cannot end up off the screen.
POINT centred_position(const WindowState& state, int width, int height) {
    RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (state.main_window)
        GetWindowRect(state.main_window, &around);
    POINT position{around.left + (around.right - around.left - width) / 2,
                   around.top + (around.bottom - around.top - height) / 2};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoW(MonitorFromRect(&around, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        position.x = std::max(work.left, std::min(position.x, work.right - width));
        position.y = std::max(work.top, std::min(position.y, work.bottom - height));
    }
    return position;
}

void choose_own_menu_folder(WindowState& state) {
    HWND field = settings_window_control(state, control::kOwnMenuField);
    if (!state.dialogs || !field)
        return;
    const std::string answer =
        state.dialogs->choose_folder(text("TXT00245"), window_text(field), state.settings_window);
    // The chooser was modal: the window may have been closed meanwhile.
    field = settings_window_control(state, control::kOwnMenuField);
    if (answer.empty() || !field || !is_directory(answer))
        return;
    set_window_text(field, with_backslash(answer));
}

void couple_edge_check_boxes(WindowState& state, int changed) {
    SettingsForm form;
    form.edge_rest = is_checked(state, control::kEdgeRest);
    form.edge_swipe = is_checked(state, control::kEdgeSwipe);
    couple_edge_checks(form, changed);
    set_checked(settings_window_control(state, control::kEdgeRest), form.edge_rest);
    set_checked(settings_window_control(state, control::kEdgeSwipe), form.edge_swipe);
}

}  // namespace

void open_settings_window(WindowState& state) {
    TREVALON_MARK();
    if (state.settings_window) {
        SetForegroundWindow(state.settings_window);
        return;
    }
    if (!register_settings_window_class(state.instance))
        return;
    int dpi = state.main_window ? static_cast<int>(GetDpiForWindow(state.main_window)) : 0;
    if (dpi <= 0)
        dpi = desktop_dpi();
    const ControlRect inner =
        scale_rect(ControlRect{0, 0, kSettingsWindowWidth, kSettingsWindowHeight}, dpi);
    RECT frame{0, 0, inner.width, inner.height};
    AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, 0, static_cast<UINT>(dpi));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const POINT position = centred_position(state, width, height);
    HWND window = CreateWindowExW(0, utf8_to_wide(kSettingsWindowClass).c_str(),
                                  utf8_to_wide(text("TXT00140")).c_str(), kWindowStyle, position.x,
                                  position.y, width, height, state.main_window, nullptr,
                                  state.instance, &state);
    if (!window)
        return;
    // Its controls keep the system's light look; the frame can go dark.
    set_dark_title_bar(window, state.window.palette.kind == PaletteKind::dark);

    HWND panel = nullptr;
    for (const SettingsControl& c : settings_controls()) {
        if (c.kind == Kind::kTabPanel) {
            panel = create_panel(state, window, scale_rect(c.rect, dpi));
        } else if (c.tab == kOutsideThePanel) {
            create_control(state, window, c, dpi);
        } else if (panel) {
            create_control(state, panel, c, dpi);
        }
    }
    if (!panel) {
        DestroyWindow(window);
        return;
    }
    state.settings_window = window;
    show_form(window, state, form_from_settings(state.settings));
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE))
        SetFocus(first);
}

std::optional<Event> read_settings_window_event(const WindowState& state, const MSG& message) {
    if (!state.settings_window || message.hwnd != state.settings_window)
        return std::nullopt;
    Event event;
    event.window = kSettingsWindowNumber;
    if (message.message == kSettingsControlEvent) {
        event.kind = EventKind::kControl;
        event.control = static_cast<int>(message.wParam);
        event.type = static_cast<int>(message.lParam);
        return event;
    }
    if (message.message == kSettingsCloseEvent) {
        event.kind = EventKind::kClose;
        return event;
    }
    return std::nullopt;
}

bool handle_settings_window_event(WindowState& state, const Event& event) {
    if (event.window != kSettingsWindowNumber)
        return false;
    TREVALON_MARK();
    if (!state.settings_window)
        return true;
    if (event.kind == EventKind::kClose) {
        apply_settings_window(state);
        return true;
    }
    if (event.kind != EventKind::kControl)
        return true;
    switch (event.control) {
        case control::kChooseFolder:
            choose_own_menu_folder(state);
            break;
        case control::kDefaultFolder:
            set_window_text(settings_window_control(state, control::kOwnMenuField),
                            state.folders.own_menu);
            break;
        case control::kPinProgram:
            start_pinning(state, state.folders.program_file);
            break;
        case control::kEdgeRest:
        case control::kEdgeSwipe:
            couple_edge_check_boxes(state, event.control);
            break;
        case control::kConfirm:
            apply_settings_window(state);
            break;
        default:
            break;
    }
    return true;
}

void apply_settings_window(WindowState& state) {
    TREVALON_MARK();
    HWND window = state.settings_window;
    if (!window)
        return;
    const Settings before = state.settings;
    apply_form(state.settings, read_form(window, state), state.folders.own_menu);
    publish_edge_triggers(state);
    DestroyWindow(window);
    state.settings_window = nullptr;
    save_settings(state);
    // A hotkey another program holds is said once, when it is chosen.
    if (!apply_keyboard_settings(state) && state.settings.hotkey != before.hotkey &&
        state.dialogs) {
        state.dialogs->message_box(text("TXT00353"), find_text("Program_Name"),
                                   MB_OK | MB_ICONINFORMATION);
    }
    // A new Theme shows at once.
    if (state.settings.theme != before.theme)
        apply_palette(state);
    if (state.view.menu_mode == kOwnMenuMode) {
        state.view.menu_root = state.settings.my_own_menu;
        state.view.tree_selection = 0;
        show_menu(state, state.view.menu_root, state.view.caption);
    }
}

bool settings_window_tab_keys(WindowState& state, const MSG& message) {
    HWND window = state.settings_window;
    if (!window || message.message != WM_KEYDOWN ||
        (message.hwnd != window && !IsChild(window, message.hwnd)))
        return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (GetKeyState(VK_CONTROL) >= 0) {
        if (message.wParam != VK_TAB || GetKeyState(VK_MENU) < 0)
            return false;
        // A control that takes Tab itself keeps it.
        MSG key = message;
        if (SendMessageW(message.hwnd, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&key)) &
            DLGC_WANTTAB)
            return false;
        if (HWND next = next_tab_stop(state, shift))
            SetFocus(next);
        return true;
    }
    int step = 0;
    if (message.wParam == VK_TAB)
        step = shift ? -1 : 1;
    else if (message.wParam == VK_NEXT && !shift)
        step = 1;
    else if (message.wParam == VK_PRIOR && !shift)
        step = -1;
    HWND panel = panel_of(window);
    const auto count = panel ? static_cast<int>(SendMessageW(panel, TCM_GETITEMCOUNT, 0, 0)) : 0;
    if (step == 0 || count <= 0)
        return false;
    const auto current = static_cast<int>(SendMessageW(panel, TCM_GETCURSEL, 0, 0));
    const int next = ((current + step) % count + count) % count;
    SendMessageW(panel, TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
    show_tab(window, next);
    SetFocus(panel);
    return true;
}

HWND settings_window_control(const WindowState& state, int number) {
    if (!state.settings_window)
        return nullptr;
    if (HWND direct = GetDlgItem(state.settings_window, number))
        return direct;
    HWND panel = panel_of(state.settings_window);
    return panel ? GetDlgItem(panel, number) : nullptr;
}

}  // namespace trevalon
