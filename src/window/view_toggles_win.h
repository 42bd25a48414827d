// The two view choices of the main window: large icons or a list in the file
// list, and the full or the smaller window. They change the settings in
// memory; the settings are written by the periodic save and at exit.
#pragma once

namespace trevalon {

struct WindowState;

// IconFormat = 0; the file list shows large icons.
void show_large_icons(WindowState& state);
// IconFormat = 1; the file list shows a list, one entry per line.
void show_list(WindowState& state);
// The smaller form: the panes, the bottom row, the lower toolbar and the
// window give up the band of 110 pixels (at 96 dpi); WindowSmaller = 1.
void make_window_smaller(WindowState& state);
// The full form again; WindowSmaller = 0.
void make_window_larger(WindowState& state);

}  // namespace trevalon
