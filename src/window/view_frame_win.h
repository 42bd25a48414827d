// The frame around every change of what the window shows: the wait cursor and
// no drawing of the main window meanwhile, then one repaint and the arrow.
#pragma once

#include <windows.h>

namespace trevalon {

struct WindowState;

class ViewChangeFrame {
  public:
    explicit ViewChangeFrame(const WindowState& state);
    ~ViewChangeFrame();
    ViewChangeFrame(const ViewChangeFrame&) = delete;
    ViewChangeFrame& operator=(const ViewChangeFrame&) = delete;

  private:
    HCURSOR arrow_;
    bool locked_;
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
