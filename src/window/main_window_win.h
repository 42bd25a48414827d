// The main window: built hidden at start-up with all its controls, then
// placed and shown.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "window/layout.h"

namespace trevalon {

struct WindowState;

// The window class only this program registers; the single-instance check
// and the installer look for it.
inline constexpr char kMainWindowClass[] = "TrevalonMainWindow";

// Inner size of the full window at 96 dpi: the left strip, tree pane, gap,
// list pane and margin wide; the panes and the band the smaller form gives
// up high.
inline constexpr int kMainInnerWidth = 30 + 350 + 2 + 490 + 5;
inline constexpr int kMainInnerHeight = 485 + 110;

// Posted to the main window whenever an event is queued, so the event loop
// wakes up and takes it.
inline constexpr UINT kEventWaitingMessage = WM_APP + 1;

// The main window's style: title bar, system menu, minimise box.
inline constexpr DWORD kMainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// Creates the hidden main window, centred on the screen as the full form,
// titled with the program's name, with every control, popup menu and key in
// the layout of `form` scaled to the window's resolution, and its callback
// installed. Built in the smaller form, it is the window the full form made
// smaller would be (top left corner kept), without its controls being laid
// out twice. Returns false when the window cannot be created; nothing else
// is built then.
bool build_main_window(WindowState& state, WindowForm form = WindowForm::full);

// Moves the window to the saved position, axis by axis, where the placement
// rule accepts it. The rule weighs the full form's size, whatever the form.
void place_main_window(WindowState& state);

// Sets the window's inner size, keeping its top left corner.
void set_inner_size(WindowState& state, int width, int height);

// Moves every control to the layout of the window's form and resolution.
void apply_layout(WindowState& state);

// The text of the window's title or of a caption control (4, 5).
void set_window_text(HWND window, std::string_view text);
std::string window_text(HWND window);

}  // namespace trevalon
