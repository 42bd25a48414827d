// What the main window's messages mean to the event loop: toolbar buttons,
// menu items and the Return key become command events, clicks on the image
// buttons and the notifications of the tree and the list control events, the
// close box a close event. Everything else is no event.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/event.h"

namespace trevalon {

struct WindowState;
struct WindowControls;

// The event a message of the main window stands for. `focus` is the window
// with the keyboard focus: the Return key on the file list is the list's
// double-click event, not command 44.
std::optional<Event> event_from_message(const WindowControls& controls, UINT message, WPARAM wparam,
                                        LPARAM lparam, HWND focus);

// Queues an event for the loop and wakes it. Window procedures call this
// instead of acting, so every handler runs from the loop, never inside a
// control's notification or another window's message.
void post_event(WindowState& state, Event event);

// Gives the main window's keys (Return) their command; true when the message
// was turned into one and must not be dispatched as well.
bool translate_window_keys(const WindowState& state, MSG& message);

}  // namespace trevalon
