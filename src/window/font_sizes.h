// The four fonts of the window and their sizes by screen resolution: above
// 96 dpi every font is two points smaller and the caption font is made bold
// instead of using the semibold face.
#pragma once

#include <string>
#include <string_view>

namespace trevalon {

struct FontSpec {
    std::string face;
    int points = 0;
    bool bold = false;

    bool operator==(const FontSpec&) const = default;
};

struct FontSpecs {
    FontSpec font1;   // default font of all controls
    FontSpec font10;  // normal size
    FontSpec font11;  // pane captions
    FontSpec font12;  // small

    bool operator==(const FontSpecs&) const = default;
};

inline constexpr std::string_view kPreferredFontFace = "Segoe UI";
inline constexpr std::string_view kFallbackFontFace = "MS Sans Serif";

FontSpecs font_specs(int dpi, std::string_view base_face);

// The font height to ask for, in pixels of a screen of the given resolution
// (negative: the size of the characters, not of the cell).
int font_height_for_points(int points, int dpi);

}  // namespace trevalon
