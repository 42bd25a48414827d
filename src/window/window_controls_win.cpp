#include "window/window_controls_win.h"

#include <commctrl.h>

#include "platform/accessible_name_win.h"
#include "platform/wide_win.h"
#include "texts/text_table.h"
#include "window/button_images_win.h"
#include "window/image_buttons_win.h"
#include "window/key_map.h"
#include "window/main_window_win.h"
#include "window/pane_window_win.h"
#include "window/picture_contrast.h"
#include "window/window_colours_win.h"
#include "window/window_events_win.h"
#include "window/window_numbers.h"
#include "window/window_state_win.h"

namespace trevalon {
namespace {

// Child window ids of the toolbars, apart from every command and control number.
constexpr int kToolbarIdBase = 100;

HMENU child_id(int id) {
    return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

HWND create_child(HWND parent, const wchar_t* window_class, DWORD style, const Rect& rect, int id,
                  DWORD ex_style = 0) {
    return CreateWindowExW(ex_style, window_class, L"", WS_CHILD | WS_VISIBLE | style, rect.x,
                           rect.y, rect.width, rect.height, parent, child_id(id),
                           GetModuleHandleW(nullptr), nullptr);
}

void set_font(HWND window, HFONT font) {
    if (window && font)
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

// The buttons stacked into as many rows as there are, and the toolbar window
// sized to exactly that column, so it never reaches over the panes beside the
// strip. Some toolbars place a wrapped separator beside its button rather
// than below it: only the buttons count, and the separators leave their gap
// between the groups.
void stack_toolbar(HWND toolbar) {
    const auto count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    RECT bounds{};
    SendMessageW(toolbar, TB_SETROWS, MAKEWPARAM(count, TRUE), reinterpret_cast<LPARAM>(&bounds));
    int width = 0;
    int height = 0;
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        RECT item{};
        SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&button));
        if (button.fsStyle & BTNS_SEP)
            continue;
        if (SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&item))) {
            width = std::max(width, static_cast<int>(item.right));
            height = std::max(height, static_cast<int>(item.bottom));
        }
    }
    SetWindowPos(toolbar, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Pictures of side × side on buttons the default margins larger.
void set_toolbar_images(HWND toolbar, HIMAGELIST images, int side, int dpi) {
    SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(side, side));
    SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    SendMessageW(toolbar, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(side + scale_length(7, dpi), side + scale_length(6, dpi)));
}

// A toolbar whose buttons stand in one column at `origin`: the frame
// stripped so it keeps the place it is given, then stacked.
HWND create_toolbar(HWND parent, int number, std::span<const ToolbarButton> buttons,
                    HIMAGELIST images, int image_side, int dpi, Point origin) {
    HWND toolbar = create_child(parent, TOOLBARCLASSNAMEW,
                                TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE | CCS_NODIVIDER |
                                    CCS_NOPARENTALIGN | CCS_NORESIZE,
                                {origin.x, origin.y, 1, 1}, kToolbarIdBase + number);
    if (!toolbar)
        return nullptr;
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    set_toolbar_images(toolbar, images, image_side, dpi);

    std::vector<TBBUTTON> data;
    int image = 0;
    for (const ToolbarButton& button : buttons) {
        TBBUTTON entry{};
        if (button.separator()) {
            entry.fsStyle = BTNS_SEP;
            entry.fsState = TBSTATE_WRAP;
        } else {
            entry.iBitmap = image++;
            entry.idCommand = button.command;
            entry.fsState = TBSTATE_ENABLED | TBSTATE_WRAP;
            entry.fsStyle = BTNS_BUTTON;
        }
        data.push_back(entry);
    }
    SendMessageW(toolbar, TB_ADDBUTTONSW, data.size(), reinterpret_cast<LPARAM>(data.data()));

    stack_toolbar(toolbar);
    return toolbar;
}

// A menu item's words, and after a tab the key that does the same where
// the menu belongs (the tree's menu: the tree; the list's: the list).
std::string menu_item_caption(int menu, const MenuItem& item) {
    const unsigned places = menu == kFolderTreeMenu ? kInTree
                            : menu == kFileListMenu ? kInList
                                                    : kAnywhere;
    return text(item.caption_key) + menu_key_hint(item.command, places);
}

UniqueMenu create_popup_menu(const PopupMenu& menu) {
    UniqueMenu popup(CreatePopupMenu());
    if (!popup)
        return popup;
    for (const MenuItem& item : menu.items) {
        if (item.separator()) {
            AppendMenuW(popup.get(), MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(popup.get(), MF_STRING, static_cast<UINT_PTR>(item.command),
                        utf8_to_wide(menu_item_caption(menu.number, item)).c_str());
        }
    }
    return popup;
}

void add_tooltip(HWND tooltips, HWND owner, HWND tool, const std::string& words) {
    if (!tooltips || !tool)
        return;
    std::wstring tip = utf8_to_wide(words);
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = tip.data();
    SendMessageW(tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

// A button's tooltip, which is also its name for assistive technology.
std::string image_button_name(const ImageButton& button) {
    return with_key_name(text(button.tooltip_key), button.key_command);
}

void make_button_icons(WindowControls& controls, const UiResources& resources, int side) {
    const std::optional<Colour> face = picture_face(controls.palette);
    for (const ImageButton& button : kImageButtons) {
        controls.button_icons[static_cast<std::size_t>(button.image)] =
            button_icon(resources, button.image, side, face);
    }
    controls.button_icons[kLargerImage] = button_icon(resources, kLargerImage, side, face);
}

}  // namespace

HWND WindowControls::control(int number) const {
    switch (number) {
        case kTreeContainer:
            return tree_container;
        case kFolderTreeControl:
            return tree.window();
        case kListContainer:
            return list_container;
        case kFileListControl:
            return list.window();
        case kTreeCaptionControl:
            return tree_caption;
        case kListCaptionControl:
            return list_caption;
        case kBookmarksButton:
            return bookmarks_button;
        case kBackButton:
            return back_button;
        case kSearchField:
            return search_field;
        case kSearchButton:
            return search_button;
        case kSizeButton:
            return size_button;
        default:
            return nullptr;
    }
}

HWND WindowControls::toolbar(int number) const {
    return number == kUpperToolbar   ? upper_toolbar
           : number == kLowerToolbar ? lower_toolbar
                                     : nullptr;
}

HMENU WindowControls::popup(int number) const {
    for (const auto& [popup_number, menu] : popups) {
        if (popup_number == number)
            return menu.get();
    }
    return nullptr;
}

int show_popup_menu(WindowState& state, int number, std::optional<POINT> where) {
    HMENU menu = state.window.popup(number);
    if (!menu || !state.main_window)
        return 0;
    POINT at{};
    if (where) {
        at = *where;
    } else {
        GetCursorPos(&at);
    }
    // The owner must be in front, or the menu does not close when the user
    // clicks elsewhere.
    SetForegroundWindow(state.main_window);
    const int command =
        static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x,
                                        at.y, 0, state.main_window, nullptr));
    PostMessageW(state.main_window, WM_NULL, 0, 0);
    if (command > 0)
        post_event(state, main_window_command(command));
    return command;
}

void make_toolbar_images(WindowControls& controls, const UiResources& resources, int side) {
    const std::optional<Colour> face = picture_face(controls.palette);
    controls.upper_images = toolbar_images(resources, kUpperToolbarButtons, side, face);
    controls.lower_images = toolbar_images(resources, kLowerToolbarButtons, side, face);
    controls.pictures_face = face;
}

void remake_pictures(WindowState& state) {
    WindowControls& controls = state.window;
    const MainLayout layout = main_layout(controls.form, controls.dpi);
    make_toolbar_images(controls, state.ui, layout.image_side);
    set_toolbar_images(controls.upper_toolbar, controls.upper_images.get(), layout.image_side,
                       controls.dpi);
    set_toolbar_images(controls.lower_toolbar, controls.lower_images.get(), layout.image_side,
                       controls.dpi);
    make_button_icons(controls, state.ui, layout.image_side);
    for (const ImageButton& button : kImageButtons) {
        const int image = button.control != kSizeButton       ? button.image
                          : controls.form == WindowForm::full ? kSmallerImage
                                                              : kLargerImage;
        set_button_picture(controls.control(button.control),
                           controls.button_icons[static_cast<std::size_t>(image)].get());
    }
}

void build_controls(WindowState& state) {
    HWND window = state.main_window;
    WindowControls& controls = state.window;
    const MainLayout layout = main_layout(controls.form, controls.dpi);

    // The colours first, so the pictures are made once for their face.
    const SystemLook look = read_system_look();
    controls.palette = choose_palette(state.settings.theme, look);

    // Toolbars 0 and 14.
    make_toolbar_images(controls, state.ui, layout.image_side);
    controls.upper_toolbar =
        create_toolbar(window, kUpperToolbar, kUpperToolbarButtons, controls.upper_images.get(),
                       layout.image_side, controls.dpi, layout.upper_toolbar);
    controls.lower_toolbar =
        create_toolbar(window, kLowerToolbar, kLowerToolbarButtons, controls.lower_images.get(),
                       layout.image_side, controls.dpi, layout.lower_toolbar);

    // The five popup menus.
    controls.popups.clear();
    for (const PopupMenu& menu : kPopupMenus) {
        if (UniqueMenu popup = create_popup_menu(menu))
            controls.popups.emplace_back(menu.number, std::move(popup));
    }

    // The pane captions 4 and 5.
    constexpr DWORD kCaptionStyle = SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX | SS_ENDELLIPSIS;
    controls.tree_caption =
        create_child(window, L"STATIC", kCaptionStyle, layout.tree_caption, kTreeCaptionControl);
    controls.list_caption =
        create_child(window, L"STATIC", kCaptionStyle, layout.list_caption, kListCaptionControl);

    // Container 0 with the folder tree, container 2 with the file list.
    controls.tree_container = create_pane_window(window, layout.tree_container, kTreeContainer,
                                                 GetSysColorBrush(COLOR_BTNFACE));
    controls.list_container = create_pane_window(window, layout.list_container, kListContainer,
                                                 static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (controls.tree_container) {
        controls.tree.create(controls.tree_container, layout.tree, kFolderTreeControl);
    }
    if (controls.list_container) {
        controls.list.create(controls.list_container, layout.list, kFileListControl, controls.dpi,
                             layout.list_column_width);
    }

    // The bottom row.
    make_button_icons(controls, state.ui, layout.image_side);
    auto icon = [&controls](int image) {
        return controls.button_icons[static_cast<std::size_t>(image)].get();
    };
    // The size button shows what it does: make the full form smaller, or
    // the smaller one larger.
    controls.size_button =
        create_image_button(window, layout.size_button, kSizeButton,
                            icon(controls.form == WindowForm::full ? kSmallerImage : kLargerImage),
                            image_button_name(kImageButtons[0]));
    controls.back_button =
        create_image_button(window, layout.back_button, kBackButton, icon(kImageButtons[1].image),
                            image_button_name(kImageButtons[1]));
    controls.bookmarks_button =
        create_image_button(window, layout.bookmarks_button, kBookmarksButton,
                            icon(kImageButtons[2].image), image_button_name(kImageButtons[2]));
    controls.search_button =
        create_image_button(window, layout.search_button, kSearchButton,
                            icon(kImageButtons[3].image), image_button_name(kImageButtons[3]));
    controls.search_field = create_child(window, L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL,
                                         layout.search_field, kSearchField);
    // The grey hint while the field is empty, kept while it has the focus.
    if (controls.search_field) {
        set_accessible_name(controls.search_field, text(kSearchFieldNameKey));
        SendMessageW(controls.search_field, EM_SETCUEBANNER, TRUE,
                     reinterpret_cast<LPARAM>(utf8_to_wide(text(kSearchFieldHintKey)).c_str()));
    }

    apply_fonts_and_colours(state, look);
}

void create_tooltips(WindowState& state) {
    WindowControls& controls = state.window;
    HWND window = state.main_window;
    if (!window || controls.tooltips)
        return;
    controls.tooltips =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, state.instance, nullptr);
    for (const ImageButton& button : kImageButtons)
        add_tooltip(controls.tooltips, window, controls.control(button.control),
                    image_button_name(button));
    add_tooltip(controls.tooltips, window, controls.search_field, text(kSearchFieldTooltipKey));
    set_font(controls.tooltips, state.ui.fonts.font1.get());
    controls.list.create_tooltip();
    colour_tooltips(controls);
}

void apply_dpi(WindowState& state, int dpi) {
    WindowControls& controls = state.window;
    controls.dpi = dpi;
    const MainLayout layout = main_layout(controls.form, dpi);
    // The new fonts are in place before the old ones go.
    UiFonts old_fonts = std::move(state.ui.fonts);
    state.ui.fonts = create_fonts(dpi);
    apply_fonts_and_colours(state, read_system_look());

    remake_pictures(state);
    stack_toolbar(controls.upper_toolbar);
    stack_toolbar(controls.lower_toolbar);
    apply_layout(state);
    controls.list.set_column_width(kNameColumn, layout.list_column_width);
}

void apply_fonts_and_colours(WindowState& state, const SystemLook& look) {
    WindowControls& controls = state.window;
    const UiFonts& fonts = state.ui.fonts;
    // Font 1 is every control's default; some have their own.
    for (HWND child : {controls.upper_toolbar, controls.lower_toolbar, controls.tree_caption,
                       controls.list_caption, controls.tree.window(), controls.list.window(),
                       controls.search_field, controls.tooltips}) {
        set_font(child, fonts.font1.get());
    }
    set_font(controls.tree_caption, fonts.font11.get());
    set_font(controls.list_caption, fonts.font11.get());
    controls.tree.set_font(fonts.font10.get());
    controls.list.set_font(fonts.font12.get());
    set_font(controls.search_field, fonts.font12.get());
    apply_palette(state, look);
}

}  // namespace trevalon
