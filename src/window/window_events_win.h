// What the main window's messages mean to the event loop: toolbar buttons
// and menu items become command events, clicks on the image
// buttons and the notifications of the tree and the list control events, the
// close box a close event. Everything else is no event.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/event.h"

namespace trevalon {

struct WindowState;
struct WindowControls;

// The event of a command of the main window (a menu item, a button, a key);
// a menu-gated one runs only where its context menu would enable it.
Event main_window_command(int command, bool menu_gated = false);

// The event a message of the main window stands for.
std::optional<Event> event_from_message(const WindowControls& controls, UINT message, WPARAM wparam,
                                        LPARAM lparam);

// Queues an event for the loop and wakes it. Window procedures call this
// instead of acting, so every handler runs from the loop, never inside a
// control's notification or another window's message.
void post_event(WindowState& state, Event event);

// Gives the main window's keys their command (window/key_map.h) and sends a
// character typed in the tree or the list to the search field; true when
// the message was used and must not be dispatched as well.
bool translate_window_keys(WindowState& state, MSG& message);

}  // namespace trevalon
