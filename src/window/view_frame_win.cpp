#include "window/view_frame_win.h"

#include "window/window_state_win.h"

namespace trevalon {

DrawingFreeze::DrawingFreeze(HWND window) : locked_(window && LockWindowUpdate(window) != FALSE) {}

DrawingFreeze::~DrawingFreeze() {
    if (locked_)
        LockWindowUpdate(nullptr);
}

ViewChangeFrame::ViewChangeFrame(const WindowState& state)
    : arrow_(state.ui.cursors.arrow), locked_(false) {
    if (state.ui.cursors.wait)
        SetCursor(state.ui.cursors.wait);
    locked_ = state.main_window && LockWindowUpdate(state.main_window) != FALSE;
}

ViewChangeFrame::~ViewChangeFrame() {
    if (locked_)
        LockWindowUpdate(nullptr);
    if (arrow_)
        SetCursor(arrow_);
}

}  // namespace trevalon
