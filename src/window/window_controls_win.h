// The main window's controls, menus and pictures, as built at start-up. The
// operations of the window find their controls here.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/handles_win.h"
#include "window/file_list_win.h"
#include "window/folder_tree_win.h"
#include "window/layout.h"
#include "window/palette.h"
#include "window/ui_resources_win.h"

namespace trevalon {

struct WindowState;

struct WindowControls {
    HWND upper_toolbar = nullptr;     // toolbar 0
    HWND lower_toolbar = nullptr;     // toolbar 14
    HWND tree_caption = nullptr;      // 4
    HWND list_caption = nullptr;      // 5
    HWND tree_container = nullptr;    // 0
    HWND list_container = nullptr;    // 2
    FolderTree tree;                  // 1
    FileList list;                    // 3
    HWND size_button = nullptr;       // 13
    HWND back_button = nullptr;       // 9
    HWND bookmarks_button = nullptr;  // 8
    HWND search_button = nullptr;     // 12
    HWND search_field = nullptr;      // 11
    HWND tooltips = nullptr;          // for the bottom row

    std::vector<std::pair<int, UniqueMenu>> popups;  // by popup number

    // Pictures at the window's resolution.
    int dpi = 96;
    UniqueImageList upper_images;
    UniqueImageList lower_images;
    std::array<UniqueIcon, kImageSlots> button_icons;  // the image buttons' pictures
    std::optional<Colour> pictures_face;  // the face they were made legible against; none: as drawn

    // The colours in use, and the brushes painted with them.
    Palette palette;
    bool left_light = false;  // another palette was in use since start-up: styles to undo
    UniqueBrush face_brush;
    UniqueBrush list_brush;
    UniqueBrush field_brush;

    WindowForm form = WindowForm::full;
    std::wstring tooltip_text;  // the toolbar tooltip being shown

    // The window of a control number (0-5, 8, 9, 11-13) or toolbar number
    // (0 is the tree container; 14 the lower toolbar); null for none.
    HWND control(int number) const;
    HWND toolbar(int number) const;
    // A popup menu by number (21, 29, 37, 45, 54); null when it could not be
    // built.
    HMENU popup(int number) const;
};

// Builds every control, popup menu and key of the main window in the form in
// state.window.form, at the resolution in state.window.dpi. A control that cannot be
// created is left out; the rest is built.
void build_controls(WindowState& state);
// The tooltips of the image buttons, the search field and the file list,
// which the window's first paint does not need: made after it.
void create_tooltips(WindowState& state);

// Everything that depends on the resolution, for a new one: fonts,
// pictures, toolbar buttons, and every control's place.
void apply_dpi(WindowState& state, int dpi);

// Fonts 1, 10, 11 and 12, and the colours for the system's look, on the
// controls that use them.
void apply_fonts_and_colours(WindowState& state, const SystemLook& look);

// Shows popup menu `number` at `where` (screen coordinates; the mouse
// position when none: a menu opened from the keyboard appears at the focus)
// and queues the chosen item as a command event, so its handler runs as an
// event of its own after the menu has closed. Returns the command, 0 when
// nothing was chosen or the menu does not exist. Enable or disable items on
// popup(number) first.
int show_popup_menu(WindowState& state, int number, std::optional<POINT> where = std::nullopt);

// The toolbars' pictures at side × side, legible on the palette's face.
void make_toolbar_images(WindowControls& controls, const UiResources& resources, int side);

// Every picture of the toolbars and the bottom row made again, at the
// window's resolution and for the palette's face, and put on its control.
void remake_pictures(WindowState& state);

}  // namespace trevalon
