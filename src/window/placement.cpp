#include "window/placement.h"

namespace trevalon {

WindowPosition place_window(const WindowPlacementInput& input) {
    const int half_width = input.width / 2;
    const int half_height = input.height / 2;
    WindowPosition position{input.centred_x, input.centred_y};
    if (input.saved_x && -half_width < *input.saved_x &&
        *input.saved_x < input.usable_right - half_width) {
        position.x = *input.saved_x;
    }
    if (input.saved_y && 0 <= *input.saved_y &&
        *input.saved_y < input.usable_bottom - half_height) {
        position.y = *input.saved_y;
    }
    return position;
}

}  // namespace trevalon
