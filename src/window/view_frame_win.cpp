#include "window/view_frame_win.h"

#include "shell/app_win.h"

namespace trevalon {

DrawingFreeze::DrawingFreeze(HWND window) : locked_(window && LockWindowUpdate(window) != FALSE) {}

DrawingFreeze::~DrawingFreeze() {
    if (locked_)
        LockWindowUpdate(nullptr);
}

ViewChangeFrame::ViewChangeFrame(const App& app) : arrow_(app.ui.cursors.arrow), locked_(false) {
    if (app.ui.cursors.wait)
        SetCursor(app.ui.cursors.wait);
    locked_ = app.main_window && LockWindowUpdate(app.main_window) != FALSE;
}

ViewChangeFrame::~ViewChangeFrame() {
    if (locked_)
        LockWindowUpdate(nullptr);
    if (arrow_)
        SetCursor(arrow_);
}

}  // namespace trevalon
