// The four fonts of the window and their sizes by screen resolution: above
// 96 dpi every font is two points smaller and the caption font is made bold
// instead of using the semibold face.
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

struct FontRequest {
    std::string face;
    int points = 0;
    bool bold = false;

    bool operator==(const FontRequest&) const = default;
};

struct FontRequests {
    FontRequest font1;   // default font of all controls
    FontRequest font10;  // normal size
    FontRequest font11;  // pane captions
    FontRequest font12;  // small

    bool operator==(const FontRequests&) const = default;
};

inline constexpr std::string_view kPreferredFontFace = "Segoe UI";
inline constexpr std::string_view kFallbackFontFace = "MS Sans Serif";

FontRequests font_requests(int dpi, std::string_view base_face);

// The font height to ask for, in pixels of a screen of the given resolution
// (negative: the size of the characters, not of the cell).
int font_height_for_points(int points, int dpi);

}  // namespace trevalon
