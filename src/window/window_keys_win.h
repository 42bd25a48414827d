// The main window from the keyboard: the keys of the key map turned into
// command events, typing in the tree or the list moved to the search field,
// where the focus goes when the window comes forward, the tree's keyboard
// selection opened once the keys rest, and the hover feedback of the list.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/event.h"
#include "window/key_rest.h"

namespace trevalon {

struct WindowState;
struct WindowControls;

// What the window keeps for the keyboard between messages.
struct KeyboardState {
    // The control that had the focus when the window last lost it to
    // another window of this program (a message box, the settings window).
    HWND focus_left = nullptr;
    KeyRest tree_rest{kTreeKeyRest};
    int hot_row = -1;  // the list row under the pointer, for the hover feedback
    // Where the focus was when an image button was pressed with the mouse:
    // it goes back there.
    HWND focus_before_click = nullptr;
};

// The timer of the tree's rest, on the main window.
inline constexpr UINT_PTR kTreeRestTimer = 1;

// Where the focus is, as a place flag of the key map.
unsigned focus_place(const WindowControls& controls, HWND focus);

// The command event of a key message (WM_KEYDOWN, WM_SYSKEYDOWN) for a
// control of the main window, with the modifiers held now; nothing for a key
// the map leaves to the control.
std::optional<Event> key_event(const WindowControls& controls, const MSG& message,
                               unsigned modifiers);
unsigned held_modifiers();

// A character typed in the tree or the list that starts a search: the search
// field takes the focus and the character replaces its text. False when the
// message is something else.
bool type_into_search_field(WindowState& state, const MSG& message);

// The focus on the search field with its whole text selected.
void focus_search_field(WindowState& state);
// The focus on a pane by its place flag (tree, list or search field).
void focus_pane(WindowState& state, unsigned place);
// From the search field into the list: the selected row, or the first one
// selected when none is.
void focus_list_from_field(WindowState& state);

// Hides the window the way the close box would, without ever ending the
// program: minimised while WindowCloseToTabBar is 1 or more, hidden
// otherwise (the hotkey, the edge and a second start bring it back).
void hide_main_window(WindowState& state);
// Whether the main window is in front: visible, not minimised, and it or a
// window it owns is the foreground window.
bool main_window_in_front(const WindowState& state);

// WM_ACTIVATE of the main window. Coming forward from another program (the
// hotkey, the edge, a second start, the taskbar) puts the focus in the search
// field, its text selected; coming back from a window of this program (a
// message box) returns it where it was. Leaving notes where it was. An
// answer means the message is handled.
std::optional<LRESULT> activation_focus(WindowState& state, WPARAM wparam, LPARAM lparam);

// The tree moved its selection by a key: the folder opens once the keys
// have rested (command 88), so holding a key opens one folder, not each on
// the way.
void note_tree_key_move(WindowState& state);
// WM_TIMER of the main window; true when it was the tree's rest.
bool tree_rest_timer(WindowState& state, UINT_PTR timer);

// The file list's hover feedback in single-click mode: the row under the
// pointer drawn highlighted. `list_hover` follows the pointer (from the
// list's own messages); `list_custom_draw` answers its NM_CUSTOMDRAW.
void start_list_hover(WindowState& state);
std::optional<LRESULT> list_custom_draw(const WindowState& state, LPARAM lparam);

// Where a context menu opened from the keyboard appears: below the tree's
// selected item or the list's selected row, or the pane's corner.
POINT tree_menu_point(const WindowState& state);
POINT list_menu_point(const WindowState& state);

}  // namespace trevalon
