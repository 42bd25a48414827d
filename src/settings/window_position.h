// The main window's position as the program keeps it between runs (the
// registry values PosX and PosY).
#pragma once

#include <optional>

namespace trevalon {

struct WindowPosition {
    int x = 0;
    int y = 0;
};

// The position saved by the last run, each coordinate only if it was there.
struct SavedPosition {
    std::optional<int> x;
    std::optional<int> y;
};

}  // namespace trevalon
