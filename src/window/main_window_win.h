// The main window: built hidden at start-up, then placed and shown.
#pragma once

#include <windows.h>

namespace trevalon {

struct App;

// The window class only this program registers; the single-instance check
// looks for it.
inline constexpr char kMainWindowClass[] = "TrevalonMainWindow";

// Inner size of the full window: the left strip, tree pane, gap, list pane
// and margin wide; the panes and the band the smaller form gives up high.
inline constexpr int kMainInnerWidth = 30 + 350 + 2 + 490 + 5;
inline constexpr int kMainInnerHeight = 485 + 110;

// Posted to the main window's queue when it is asked to close, so the event
// loop decides between ending and minimising.
inline constexpr UINT kMainWindowCloseEvent = WM_APP + 1;

// Creates the hidden main window, centred on the screen and titled with the
// program's name, with its callback installed. For now the window holds no
// controls yet. Returns false when the window cannot be created.
bool build_main_window(App& app);

// Moves the window to the saved position, axis by axis, where the placement
// rule accepts it.
void place_main_window(App& app);

}  // namespace trevalon
