// Bringing a window to the front although Windows normally keeps background
// programs from taking the foreground.
#pragma once

#include <windows.h>

namespace trevalon {

// The system calls the forced foreground makes, behind an interface so a
// test can check their order; the real ones go straight to user32.
class ForegroundCalls {
  public:
    virtual ~ForegroundCalls() = default;
    virtual DWORD current_thread_id() = 0;
    virtual HWND foreground_window() = 0;
    virtual DWORD window_thread_id(HWND window) = 0;
    virtual void attach_thread_input(DWORD from, DWORD to, bool attach) = 0;
    virtual UINT foreground_lock_timeout() = 0;
    virtual void set_foreground_lock_timeout(UINT timeout) = 0;
    virtual void unlock_set_foreground() = 0;
    virtual void allow_any_set_foreground() = 0;
    virtual void set_foreground(HWND window) = 0;
    virtual bool is_minimised(HWND window) = 0;
    virtual void restore(HWND window) = 0;
};

// Brings the window to the foreground and restores it when it is minimised:
// joins the input of this thread, the foreground window's thread and the
// window's thread, lifts the foreground lock time-out for the moment of the
// switch, and undoes both before returning. No call's result is looked at;
// when Windows still refuses, the window stays where it was. Always 0.
int force_foreground(HWND window, ForegroundCalls& calls);
int force_foreground(HWND window);

// Brings the main window forward from wherever it is: hidden (Esc hides it
// when closing would end the program), minimised or behind others. Shows a
// hidden window without activating it, then forces it to the foreground.
void bring_window_forward(HWND window);

}  // namespace trevalon
