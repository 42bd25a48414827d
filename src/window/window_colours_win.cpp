#include "window/window_colours_win.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <cwchar>

#include "platform/handles_win.h"
#include "platform/registry_win.h"
#include "window/pane_window_win.h"
#include "window/picture_contrast.h"
#include "window/window_controls_win.h"
#include "window/window_state_win.h"

namespace trevalon {
namespace {

constexpr char kPersonalizeKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
// The desktop window manager's attribute for a dark title bar.
constexpr DWORD kImmersiveDarkMode = 20;

UniqueBrush brush_of(Colour colour) {
    return UniqueBrush(CreateSolidBrush(static_cast<COLORREF>(colour)));
}

}  // namespace

// Looked up at run time: systems without the window manager's library, or
// without the attribute, keep their title bar as it is.
void set_dark_title_bar(HWND window, bool dark) {
    using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    static const UniqueLibrary dwm(LoadLibraryW(L"dwmapi.dll"));
    if (!window || !dwm)
        return;
    const auto set = reinterpret_cast<SetAttribute>(
        reinterpret_cast<void*>(GetProcAddress(dwm.get(), "DwmSetWindowAttribute")));
    if (!set)
        return;
    const BOOL value = dark ? TRUE : FALSE;
    set(window, kImmersiveDarkMode, &value, sizeof(value));
}

namespace {

// The tree's and the list's scroll bars in the system's dark style where it
// has one (older systems draw their usual ones); back to the default look
// in every other palette.
void set_dark_scroll_bars(HWND control, bool dark) {
    if (control)
        SetWindowTheme(control, dark ? L"DarkMode_Explorer" : nullptr, nullptr);
}

// High contrast as the system reports it, or, for tests of the whole
// program only, as TREVALON_TEST_HIGH_CONTRAST=1 says: Wine cannot turn it
// on, while the scheme's colours it can set.
bool high_contrast_on() {
    static const bool said_by_test = [] {
        wchar_t value[4] = {};
        return GetEnvironmentVariableW(L"TREVALON_TEST_HIGH_CONTRAST", value, 4) == 1 &&
               value[0] == L'1';
    }();
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return said_by_test ||
           (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
            (contrast.dwFlags & HCF_HIGHCONTRASTON));
}

void redraw_all(HWND window) {
    if (window)
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

}  // namespace

SystemLook read_system_look() {
    SystemLook look;
    if (UniqueKey key = open_registry_key(HKEY_CURRENT_USER, kPersonalizeKey, KEY_READ)) {
        const auto light = read_registry_dword(key.get(), "AppsUseLightTheme");
        look.apps_dark = light && *light == 0;
    }
    look.high_contrast = high_contrast_on();
    SystemColours& colours = look.colours;
    colours.window = GetSysColor(COLOR_WINDOW);
    colours.window_text = GetSysColor(COLOR_WINDOWTEXT);
    colours.highlight = GetSysColor(COLOR_HIGHLIGHT);
    colours.highlight_text = GetSysColor(COLOR_HIGHLIGHTTEXT);
    colours.button_face = GetSysColor(COLOR_BTNFACE);
    colours.gray_text = GetSysColor(COLOR_GRAYTEXT);
    colours.info_background = GetSysColor(COLOR_INFOBK);
    colours.info_text = GetSysColor(COLOR_INFOTEXT);
    return look;
}

void apply_palette(WindowState& state, const SystemLook& look) {
    WindowControls& controls = state.window;
    const Palette palette = choose_palette(state.settings.theme, look);
    controls.palette = palette;
    // The panes take the new brushes before the old ones go.
    UniqueBrush face = brush_of(palette.face);
    UniqueBrush list = brush_of(palette.list_background);
    UniqueBrush field = brush_of(palette.field_background);
    // The tree's container shows the face around the tree, the list's the
    // list's own background.
    set_pane_background(controls.tree_container, face.get());
    set_pane_background(controls.list_container, list.get());
    controls.face_brush = std::move(face);
    controls.list_brush = std::move(list);
    controls.field_brush = std::move(field);

    controls.tree.set_colours(palette.text, palette.tree_background,
                              palette.inactive_selection_background,
                              palette.inactive_selection_text);
    controls.list.set_colours(palette.text, palette.list_background, palette.quiet_text);
    colour_tooltips(controls);
    // Pictures are made again only when the face they stand on changed.
    if (picture_face(palette) != controls.pictures_face)
        remake_pictures(state);
    const bool dark = palette.kind == PaletteKind::dark;
    controls.left_light = controls.left_light || palette.kind != PaletteKind::light;
    if (controls.left_light) {
        set_dark_scroll_bars(controls.tree.window(), dark);
        set_dark_scroll_bars(controls.list.window(), dark);
    }
    set_dark_title_bar(state.main_window, dark);
    set_dark_title_bar(state.settings_window, dark);
    redraw_all(state.main_window);
}

void apply_palette(WindowState& state) {
    apply_palette(state, read_system_look());
}

void follow_colour_change(WindowState& state) {
    const SystemLook look = read_system_look();
    if (choose_palette(state.settings.theme, look) != state.window.palette)
        apply_palette(state, look);
}

void colour_tooltips(const WindowControls& controls) {
    HWND toolbar_tips[2]{};
    for (int i = 0; HWND toolbar : {controls.upper_toolbar, controls.lower_toolbar})
        toolbar_tips[i++] =
            toolbar ? reinterpret_cast<HWND>(SendMessageW(toolbar, TB_GETTOOLTIPS, 0, 0)) : nullptr;
    for (HWND tips :
         {controls.tooltips, controls.list.tooltip(), toolbar_tips[0], toolbar_tips[1]}) {
        if (!tips)
            continue;
        // A themed tooltip draws the theme's colours whatever it is told:
        // outside the light colours it goes without its theme.
        if (controls.palette.kind != PaletteKind::light)
            SetWindowTheme(tips, L"", L"");
        else if (controls.left_light)
            SetWindowTheme(tips, nullptr, nullptr);
        SendMessageW(tips, TTM_SETTIPBKCOLOR, controls.palette.tip_background, 0);
        SendMessageW(tips, TTM_SETTIPTEXTCOLOR, controls.palette.tip_text, 0);
    }
}

bool is_colour_change(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_SYSCOLORCHANGE || message == WM_THEMECHANGED)
        return true;
    if (message != WM_SETTINGCHANGE)
        return false;
    if (wparam == SPI_SETHIGHCONTRAST)
        return true;
    const auto* area = reinterpret_cast<const wchar_t*>(lparam);
    return area && std::wcscmp(area, L"ImmersiveColorSet") == 0;
}

std::optional<LRESULT> colour_control(const WindowControls& controls, UINT message, WPARAM wparam,
                                      LPARAM lparam) {
    const auto control = reinterpret_cast<HWND>(lparam);
    const auto dc = reinterpret_cast<HDC>(wparam);
    const Palette& palette = controls.palette;
    if (message == WM_CTLCOLORSTATIC &&
        (control == controls.tree_caption || control == controls.list_caption) &&
        controls.face_brush) {
        SetTextColor(dc, palette.caption_text);
        SetBkColor(dc, palette.face);
        return reinterpret_cast<LRESULT>(controls.face_brush.get());
    }
    // In light colours the field keeps the system's own.
    if (message == WM_CTLCOLOREDIT && control == controls.search_field &&
        palette.kind != PaletteKind::light && controls.field_brush) {
        SetTextColor(dc, palette.field_text);
        SetBkColor(dc, palette.field_background);
        return reinterpret_cast<LRESULT>(controls.field_brush.get());
    }
    return std::nullopt;
}

std::optional<LRESULT> erase_background(const WindowControls& controls, HWND window, HDC dc) {
    if (controls.palette.kind != PaletteKind::dark || !controls.face_brush)
        return std::nullopt;
    RECT area{};
    GetClientRect(window, &area);
    FillRect(dc, &area, controls.face_brush.get());
    return 1;
}

HBRUSH face_brush(const WindowControls& controls) {
    return controls.face_brush ? controls.face_brush.get() : GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace trevalon
