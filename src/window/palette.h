// The main window's colours as data: the light colours it was built with, a
// dark set, and in high contrast only the system's own colours. Which one
// applies follows the Theme setting and what the system reports.
#pragma once

#include <cstdint>

#include "settings/settings.h"

namespace trevalon {

// A colour packed as the system packs it: red in the low byte, then green,
// then blue.
using Colour = std::uint32_t;

constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<Colour>(red) | (static_cast<Colour>(green) << 8) |
           (static_cast<Colour>(blue) << 16);
}

// The system's colour scheme, as far as the window uses it.
struct SystemColours {
    Colour window = rgb(255, 255, 255);
    Colour window_text = rgb(0, 0, 0);
    Colour highlight = rgb(0, 120, 215);
    Colour highlight_text = rgb(255, 255, 255);
    Colour button_face = rgb(240, 240, 240);
    Colour gray_text = rgb(109, 109, 109);
    Colour info_background = rgb(255, 255, 225);  // tooltips
    Colour info_text = rgb(0, 0, 0);
};

// What the system says about colours right now.
struct SystemLook {
    bool apps_dark = false;      // the user chose dark apps
    bool high_contrast = false;  // high contrast is on
    SystemColours colours;
};

enum class PaletteKind { light, dark, high_contrast };

struct Palette {
    PaletteKind kind = PaletteKind::light;
    Colour face = 0;              // the window behind the controls, captions, strips, bottom row
    Colour caption_text = 0;      // the pane captions
    Colour tree_background = 0;   // the folder tree
    Colour list_background = 0;   // the file list
    Colour text = 0;              // names in the tree and the list
    Colour quiet_text = 0;        // where a search result lives
    Colour field_background = 0;  // the search field
    Colour field_text = 0;
    Colour hover_background = 0;  // the list row under the pointer
    Colour hover_text = 0;
    Colour inactive_selection_background = 0;  // the tree's selection while it lacks the focus
    Colour inactive_selection_text = 0;
    Colour tip_background = 0;  // tooltips
    Colour tip_text = 0;

    bool operator==(const Palette&) const = default;
};

// The palette for the Theme setting (a value outside 0..2 follows the
// system) and the system's state. High contrast wins over every setting.
Palette choose_palette(int theme, const SystemLook& system);

// The contrast ratio of two colours, from 1 (same) to 21 (black on white).
double contrast_ratio(Colour first, Colour second);

// `front` mixed one part to two parts into `back`.
Colour blend_into(Colour front, Colour back);

}  // namespace trevalon
