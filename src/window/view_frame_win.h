// The frame around every change of what the window shows: the wait cursor and
// no drawing of the main window meanwhile, then one repaint and the arrow.
// Frames nest (an operation's frame holds those of the views it shows), and
// dialogs lift them while they wait for the user (platform/busy_frame_win.h).
#pragma once

#include <windows.h>

#include "platform/busy_frame_win.h"

namespace trevalon {

struct WindowState;

class ViewChangeFrame {
  public:
    // drawing live: only the wait cursor, for work during which the window
    // keeps painting (a bookmark's look-ups on the network).
    explicit ViewChangeFrame(const WindowState& state,
                             BusyFrame::Drawing drawing = BusyFrame::Drawing::suspended);
    ViewChangeFrame(const ViewChangeFrame&) = delete;
    ViewChangeFrame& operator=(const ViewChangeFrame&) = delete;

  private:
    BusyFrame frame_;
};

// Only the drawing freeze, for changes that keep the cursor (the view
// toggles).
class DrawingFreeze {
  public:
    explicit DrawingFreeze(HWND window);
    ~DrawingFreeze();
    DrawingFreeze(const DrawingFreeze&) = delete;
    DrawingFreeze& operator=(const DrawingFreeze&) = delete;

  private:
    bool locked_;
};

}  // namespace trevalon
