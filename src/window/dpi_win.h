// The resolution a window is drawn at. Newer systems tell it per window
// (the program is per-monitor aware); older ones have one for the screen.
#pragma once

#include <windows.h>

namespace trevalon {

// Dots per inch of the window's monitor, else of the screen; 96 when unknown.
int window_dpi(HWND window);

// The outer size of a window of the given style around an inner size, with
// the frame metrics of that resolution.
SIZE frame_size_for_inner(SIZE inner, DWORD style, DWORD ex_style, int dpi);

}  // namespace trevalon
