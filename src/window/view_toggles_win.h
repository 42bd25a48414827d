// The two view choices of the main window: large icons or a list in the file
// list, and the full or the smaller window.
#pragma once

namespace trevalon {

struct App;

// For now: IconFormat = 0 only; the file list that shows the icons comes later.
void show_large_icons(App& app);
// For now: IconFormat = 1 only.
void show_list(App& app);
// For now: the window's inner height shrinks by the band; WindowSmaller = 1.
void make_window_smaller(App& app);
// For now: the window's inner height grows by the band; WindowSmaller = 0.
void make_window_larger(App& app);

}  // namespace trevalon
