// The containers of the two panes: plain child windows that clip what they
// hold, paint their background and pass their controls' notifications on to
// the main window, where the events are read.
#pragma once

#include <windows.h>

#include "window/layout.h"

namespace trevalon {

// The brush is not owned: the caller keeps it alive as long as the window.
HWND create_pane_window(HWND parent, const Rect& rect, int control_id, HBRUSH background);

// Paints the pane with another brush from now on (not owned either).
void set_pane_background(HWND pane, HBRUSH background);

}  // namespace trevalon
