// The frame around work that changes what the main window shows: the wait
// cursor for its whole run and, for most work, no drawing of the window until
// it ends, so the window repaints once. Frames nest; only the outermost one
// sets the arrow back, and drawing is suspended at most once. While a dialog
// waits for the user inside a frame (DialogPause) the window draws and the
// pointer is the arrow.
#pragma once

#include <windows.h>

namespace trevalon {

class BusyFrame {
  public:
    enum class Drawing {
        suspended,  // nothing is drawn until the frame ends
        live,       // the window keeps painting (work that waits for others)
    };
    BusyFrame(HWND window, HCURSOR wait, HCURSOR arrow, Drawing drawing);
    ~BusyFrame();
    BusyFrame(const BusyFrame&) = delete;
    BusyFrame& operator=(const BusyFrame&) = delete;

  private:
    bool suspends_ = false;  // this frame suspended the drawing
};

// The wait cursor while a frame is open on this thread and no dialog waits
// for the user; null otherwise. The main window shows it wherever the
// pointer is over it, so it lasts while the thread dispatches messages.
HCURSOR busy_cursor();

// Lifts the open frame, if any, while a dialog waits for the user: the
// window draws and the pointer is the arrow. The frame returns afterwards.
class DialogPause {
  public:
    DialogPause();
    ~DialogPause();
    DialogPause(const DialogPause&) = delete;
    DialogPause& operator=(const DialogPause&) = delete;
};

}  // namespace trevalon
