// The main event loop: one user-interface event at a time, dispatched, then
// the periodic settings save.
#pragma once

#include "platform/event.h"

namespace trevalon {

struct App;

// Runs until the program is to end (the Exit command 13, the main window
// closed while WindowCloseToTabBar is below 1, or a quit message); the caller
// then runs the shutdown. Window messages are dispatched to their windows,
// whose procedures turn them into events (post_event); the loop takes one
// queued event per pass and hands it to dispatch_event. The settings
// window's events are read from the queue and dispatched the same way.
void run_event_loop(App& app);

// After each event and each piece of the user's input (keys, pointer): saves
// the settings when more than the interval has passed since the last save.
void save_settings_when_due(App& app);

}  // namespace trevalon
