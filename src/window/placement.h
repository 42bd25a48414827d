// Where the main window goes at start-up: the saved position, axis by axis,
// when it keeps at least half the window on the usable screen area; otherwise
// the centred position the window was created at.
#pragma once

#include <optional>

#include "settings/window_position.h"

namespace trevalon {

struct WindowPlacementInput {
    int centred_x = 0;  // outer frame position after centring
    int centred_y = 0;
    int width = 0;  // outer frame size
    int height = 0;
    // PosX, PosY; a coordinate the registry does not hold leaves its axis
    // centred.
    std::optional<int> saved_x;
    std::optional<int> saved_y;
    int usable_right = 0;  // right and bottom edge of the usable screen area
    int usable_bottom = 0;
};

// Horizontally the saved x is taken when -w/2 < x < right - w/2, vertically
// the saved y when 0 <= y < bottom - h/2 (w/2 and h/2 in whole pixels,
// rounded down), so the title bar never starts above the screen.
WindowPosition place_window(const WindowPlacementInput& input);

}  // namespace trevalon
