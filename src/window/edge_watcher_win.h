// Bringing the main window forward when the pointer touches the top edge of
// the screen.
#pragma once

namespace trevalon {

struct App;

// Starts the background thread that watches the top edge of the screen.
// For now: starts nothing; the window comes forward by a second start.
void start_edge_watcher(App& app);

}  // namespace trevalon
