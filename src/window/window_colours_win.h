// The main window's colours on the screen: what the system reports, the
// palette chosen from it and the Theme setting, put on every control, and
// chosen again when the system's colours change.
#pragma once

#include <windows.h>

#include <optional>

#include "window/palette.h"

namespace trevalon {

struct WindowControls;
struct WindowState;

// The apps theme (light unless the user's value says dark), high contrast
// and the system's colours, as the system reports them now. For tests of the
// whole program only, TREVALON_TEST_HIGH_CONTRAST=1 reports high contrast on.
SystemLook read_system_look();

// Chooses the palette for the settings and the system, and colours every
// control, the window's background and its title bar with it.
void apply_palette(WindowState& state, const SystemLook& look);
// The same with the system's look as it is now.
void apply_palette(WindowState& state);

// The window manager's dark title bar on or off, where the system has it.
void set_dark_title_bar(HWND window, bool dark);

// The tooltips in the palette's colours; those made later call it themselves.
void colour_tooltips(const WindowControls& controls);

// After a colour or theme message: the palette put on again only when it
// differs from the one in use. One change of the system's colours arrives
// as several messages; the first does the work, the rest cost a look.
void follow_colour_change(WindowState& state);

// Whether a message says the system's colours or apps theme changed.
bool is_colour_change(UINT message, WPARAM wparam, LPARAM lparam);

// The answer to WM_CTLCOLORSTATIC for the pane captions and WM_CTLCOLOREDIT
// for the search field; nothing for other controls.
std::optional<LRESULT> colour_control(const WindowControls& controls, UINT message, WPARAM wparam,
                                      LPARAM lparam);

// The window's background where the palette has its own face colour.
std::optional<LRESULT> erase_background(const WindowControls& controls, HWND window, HDC dc);

// The brush behind the bottom row's pictures.
HBRUSH face_brush(const WindowControls& controls);

}  // namespace trevalon
