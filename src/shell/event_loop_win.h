// The main event loop: one user-interface event at a time, dispatched, then
// the periodic settings save.
#pragma once

namespace trevalon {

struct App;

// Runs until the program is to end (the Exit command 13, the main window
// closed while WindowCloseToTabBar is below 1, or a quit message); the caller
// then runs the shutdown. For now the loop dispatches window messages and
// handles the main window's close and the Exit command posted to it; the
// other commands and drops come with the window's controls.
void run_event_loop(App& app);

// After each event: saves the settings when more than the interval has
// passed since the last save.
void save_settings_when_due(App& app);

}  // namespace trevalon
