#include "window/foreground_win.h"

namespace trevalon {
namespace {

class SystemForegroundCalls final : public ForegroundCalls {
  public:
    DWORD current_thread_id() override { return GetCurrentThreadId(); }
    HWND foreground_window() override { return GetForegroundWindow(); }
    DWORD window_thread_id(HWND window) override {
        return GetWindowThreadProcessId(window, nullptr);
    }
    void attach_thread_input(DWORD from, DWORD to, bool attach) override {
        AttachThreadInput(from, to, attach ? TRUE : FALSE);
    }
    UINT foreground_lock_timeout() override {
        UINT timeout = 0;
        SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
        return timeout;
    }
    void set_foreground_lock_timeout(UINT timeout) override {
        // The value travels in the pointer argument; no broadcast, not saved.
        SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                              reinterpret_cast<void*>(static_cast<UINT_PTR>(timeout)), 0);
    }
    void unlock_set_foreground() override { LockSetForegroundWindow(LSFW_UNLOCK); }
    void allow_any_set_foreground() override { AllowSetForegroundWindow(ASFW_ANY); }
    void set_foreground(HWND window) override { SetForegroundWindow(window); }
    bool is_minimised(HWND window) override { return IsIconic(window) != FALSE; }
    void restore(HWND window) override { ShowWindow(window, SW_RESTORE); }
};

}  // namespace

int force_foreground(HWND window, ForegroundCalls& calls) {
    // The ids are read once: the detaching below must undo exactly the
    // attaching, even if the foreground changes in between.
    const DWORD caller = calls.current_thread_id();
    const DWORD foreground_thread = calls.window_thread_id(calls.foreground_window());
    const DWORD window_thread = calls.window_thread_id(window);
    const bool attach_foreground = caller != foreground_thread;
    const bool attach_window = window_thread != caller;

    if (attach_foreground)
        calls.attach_thread_input(caller, foreground_thread, true);
    if (attach_window)
        calls.attach_thread_input(window_thread, caller, true);

    const UINT lock_timeout = calls.foreground_lock_timeout();
    calls.set_foreground_lock_timeout(0);
    calls.unlock_set_foreground();
    calls.allow_any_set_foreground();
    calls.set_foreground(window);
    if (calls.is_minimised(window))
        calls.restore(window);
    calls.set_foreground_lock_timeout(lock_timeout);

    if (attach_foreground)
        calls.attach_thread_input(caller, foreground_thread, false);
    if (attach_window)
        calls.attach_thread_input(window_thread, caller, false);
    return 0;
}

int force_foreground(HWND window) {
    SystemForegroundCalls calls;
    return force_foreground(window, calls);
}

void bring_window_forward(HWND window) {
    if (!window)
        return;
    if (!IsWindowVisible(window))
        ShowWindow(window, SW_SHOWNA);
    force_foreground(window);
    // Wine refuses the switch while the threads' input is joined; asked
    // plainly once more, it makes it. Windows has made it already.
    if (GetForegroundWindow() != window)
        SetForegroundWindow(window);
    // On top of the others as well: Windows raises the window it makes the
    // foreground window, Wine without a window manager does not.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace trevalon
