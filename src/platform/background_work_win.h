// Slow work (network look-ups) off the main thread, while the main thread
// keeps the window painted.
#pragma once

#include <windows.h>

#include <functional>

namespace trevalon {

// Runs work on a worker thread and returns when it is done. Meanwhile this
// thread dispatches messages, so the window repaints and answers the system,
// but the window is disabled and input meant for it is dropped: no command
// can start in the middle. The focus and the enabled state come back
// afterwards; a WM_QUIT that arrives is posted again. work must be bounded
// in time and must not touch the window.
void run_while_window_waits(HWND window, const std::function<void()>& work);

}  // namespace trevalon
