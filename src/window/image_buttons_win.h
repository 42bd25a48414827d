// The keyboard's way to every button: the bottom row's image buttons are
// owner-drawn push buttons (focusable, pressed by Enter or Space, named by
// their tooltips for assistive technology), and the two toolbars show the
// button the arrows reached while they have the focus.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "window/layout.h"

namespace trevalon {

struct WindowState;
struct WindowControls;

// An image button of the bottom row: control number `control`, showing
// `icon` centred, its window text `name` (what a screen reader says; the
// button shows only the picture).
HWND create_image_button(HWND parent, const Rect& rect, int control, HICON icon,
                         const std::string& name);

// The picture an image button shows, and a new one (drawn at once).
HICON button_picture(HWND button);
void set_button_picture(HWND button, HICON icon);

// Draws an image button for WM_DRAWITEM: its picture on the window's
// background, nudged while pressed, and the focus rectangle while it has the
// keyboard focus. Nothing for other controls.
std::optional<LRESULT> draw_image_button(const WindowControls& controls, LPARAM lparam);

// The image button with the focus, as a control number; 0 for none.
int focused_image_button(const WindowControls& controls);
// Moves the focus to the bottom row's next (or previous) button, round.
void move_button_focus(WindowState& state, bool backward);

// Gives a toolbar (or the bottom row's first button) the focus, the
// toolbar's first button marked as the one the arrows start from.
void focus_buttons(WindowState& state, HWND toolbar_or_button);

// A toolbar's marked button moved by the keys (TBN_HOTITEMCHANGE) while
// the toolbar has the focus: the focus event a screen reader follows, for
// that button. The change itself goes ahead.
void announce_hot_button(const WindowControls& controls, LPARAM lparam);

// Subclasses the image buttons and the toolbars: a click on an image button
// leaves the focus where it was, as the toolbars do; a toolbar marks its
// first button when it gets the focus and no button when it loses it.
void start_button_keys(WindowState& state);

}  // namespace trevalon
