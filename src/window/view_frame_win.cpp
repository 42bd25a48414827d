#include "window/view_frame_win.h"

#include "window/window_state_win.h"

namespace trevalon {

DrawingFreeze::DrawingFreeze(HWND window) : locked_(window && LockWindowUpdate(window) != FALSE) {}

DrawingFreeze::~DrawingFreeze() {
    if (locked_)
        LockWindowUpdate(nullptr);
}

ViewChangeFrame::ViewChangeFrame(const WindowState& state, BusyFrame::Drawing drawing)
    : frame_(state.main_window, state.ui.cursors.wait, state.ui.cursors.arrow, drawing) {}

}  // namespace trevalon
