// The containers of the two panes: plain child windows that clip what they
// hold, paint their background and pass their controls' notifications on to
// the main window, where the events are read.
#pragma once

#include <windows.h>

#include "window/layout.h"

namespace trevalon {

// The brush is not owned: a system or stock brush that outlives the window.
HWND create_pane_window(HWND parent, const Rect& rect, int control_id, HBRUSH background);

}  // namespace trevalon
