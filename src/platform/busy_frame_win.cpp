#include "platform/busy_frame_win.h"

namespace trevalon {
namespace {

// The frames open on this thread; all user-interface work runs on one.
struct BusyState {
    int depth = 0;
    int paused = 0;
    HCURSOR wait = nullptr;
    HCURSOR arrow = nullptr;
    HWND suspended = nullptr;     // the window whose drawing a frame suspended
    bool resume_drawing = false;  // a pause lifted that suspension
};

thread_local BusyState busy;

void show(HCURSOR cursor) {
    if (cursor)
        SetCursor(cursor);
}

}  // namespace

BusyFrame::BusyFrame(HWND window, HCURSOR wait, HCURSOR arrow, Drawing drawing) {
    if (busy.depth++ == 0) {
        busy.wait = wait;
        busy.arrow = arrow;
    }
    if (busy.paused > 0)
        return;
    show(busy.wait);
    if (drawing == Drawing::suspended && window && !busy.suspended &&
        LockWindowUpdate(window) != FALSE) {
        busy.suspended = window;
        suspends_ = true;
    }
}

BusyFrame::~BusyFrame() {
    if (suspends_ && busy.suspended) {
        LockWindowUpdate(nullptr);
        busy.suspended = nullptr;
    }
    if (--busy.depth == 0) {
        if (busy.paused == 0)
            show(busy.arrow);
        busy = BusyState{.paused = busy.paused};
    }
}

HCURSOR busy_cursor() {
    return busy.depth > 0 && busy.paused == 0 ? busy.wait : nullptr;
}

DialogPause::DialogPause() {
    if (busy.paused++ > 0 || busy.depth == 0)
        return;
    if (busy.suspended) {
        LockWindowUpdate(nullptr);
        busy.resume_drawing = true;
    }
    show(busy.arrow);
}

DialogPause::~DialogPause() {
    if (--busy.paused > 0 || busy.depth == 0)
        return;
    if (busy.resume_drawing) {
        busy.resume_drawing = false;
        // Another window may have been frozen meanwhile; then this one draws.
        if (LockWindowUpdate(busy.suspended) == FALSE)
            busy.suspended = nullptr;
    }
    show(busy.wait);
}

}  // namespace trevalon
