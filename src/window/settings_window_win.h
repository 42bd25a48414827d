// The settings window (window 1): the settings on four tabs, applied,
// saved and shown when it is confirmed or closed.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/event.h"

namespace trevalon {

struct WindowState;

// The window class only this program registers.
inline constexpr char kSettingsWindowClass[] = "TrevalonSettingsWindow";

// The window's control events (wParam the control number, lParam the event
// type) and its close box are posted to the window itself, so that they
// reach the event loop like every other event. A loop that does not take
// them out of the queue lets the window handle them when they are dispatched.
inline constexpr UINT kSettingsControlEvent = WM_APP + 2;
inline constexpr UINT kSettingsCloseEvent = WM_APP + 3;

// Command 25: opens the window centred on the main window with the current
// settings; an open window is only brought to the front. Nothing happens when
// the window cannot be created.
void open_settings_window(WindowState& state);

// The event a queued message of the settings window stands for; nothing for
// any other message.
std::optional<Event> read_settings_window_event(const WindowState& state, const MSG& message);

// Handles an event of window 1: the folder buttons 24 and 25, the pin button
// 45, the coupled check boxes 38 and 39, the confirm button 47 and the close
// box (both apply). False when the event is not window 1's.
bool handle_settings_window_event(WindowState& state, const Event& event);

// Takes the controls' states into the settings, closes the window, saves the
// settings (writing or removing the autostart value at once) and, while the
// own menu is shown, shows it again from the possibly new folder.
void apply_settings_window(WindowState& state);

// The open window's Tab keys: Tab and Shift+Tab move round the tab row, the
// shown tab's controls and the confirm button; Ctrl+Tab and Ctrl+PageDown
// show the next tab, Ctrl+Shift+Tab and Ctrl+PageUp the one before (round
// the ends), as in the system's own tabbed windows, with the focus on the
// tab row. True when the message was such a key and was handled.
bool settings_window_tab_keys(WindowState& state, const MSG& message);

// A control of the open window by its number; null when there is none.
HWND settings_window_control(const WindowState& state, int number);

}  // namespace trevalon
