#include "window/font_sizes.h"

namespace trevalon {

FontRequests font_requests(int dpi, std::string_view base_face) {
    const std::string base(base_face);
    if (dpi <= 96) {
        return FontRequests{
            .font1 = {base, 9, false},
            .font10 = {base, 10, false},
            .font11 = {base + " Semibold", 10, false},
            .font12 = {base, 9, false},
        };
    }
    return FontRequests{
        .font1 = {base, 7, false},
        .font10 = {base, 8, false},
        .font11 = {base, 8, true},
        .font12 = {base, 7, false},
    };
}

int font_height_for_points(int points, int dpi) {
    // Rounded to the nearest pixel, as the system's own conversion does.
    return -((points * dpi + 36) / 72);
}

}  // namespace trevalon
