// Bringing the window forward from anywhere: the global hotkey of the
// settings, and the Windows key pressed alone (a low-level keyboard hook on
// a thread of its own). Both arrive at the main window as WM_HOTKEY, which
// becomes the show-or-hide command.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

namespace trevalon {

struct WindowState;
struct Hotkey;

// The WM_HOTKEY ids: the registered hotkey, and the Windows key alone.
inline constexpr int kWindowHotkeyId = 1;
inline constexpr int kWindowsKeyHotkeyId = 2;

// Registers the hotkey for the window in place of the one it had; none
// unregisters it. False when the system or another program holds the key.
bool register_window_hotkey(HWND window, const Hotkey& hotkey);

// The hook thread: it lets every key through, except that the release of a
// Windows key pressed alone is held back behind a key that means nothing,
// so the system opens no start menu, and the window is told instead.
class WindowsKeyHook {
  public:
    explicit WindowsKeyHook(HWND window);
    ~WindowsKeyHook();
    WindowsKeyHook(const WindowsKeyHook&) = delete;
    WindowsKeyHook& operator=(const WindowsKeyHook&) = delete;

    // Whether the hook could be installed.
    bool installed() const { return installed_.load(); }

  private:
    std::atomic<DWORD> thread_id_{0};
    std::atomic<bool> installed_{false};
    std::thread thread_;
};

// Applies the keyboard settings to the main window: the hotkey registered
// (the result), the Windows-key hook started or stopped.
bool apply_keyboard_settings(WindowState& state);

}  // namespace trevalon
