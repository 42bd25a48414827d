#include "window/palette.h"

#include <algorithm>
#include <cmath>

namespace trevalon {
namespace {

std::uint8_t red(Colour colour) {
    return static_cast<std::uint8_t>(colour & 0xFF);
}
std::uint8_t green(Colour colour) {
    return static_cast<std::uint8_t>((colour >> 8) & 0xFF);
}
std::uint8_t blue(Colour colour) {
    return static_cast<std::uint8_t>((colour >> 16) & 0xFF);
}

double linear(std::uint8_t channel) {
    const double value = channel / 255.0;
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(Colour colour) {
    return 0.2126 * linear(red(colour)) + 0.7152 * linear(green(colour)) +
           0.0722 * linear(blue(colour));
}

// The colours the window was built with; the face and the selection come
// from the system as they always did.
Palette light_palette(const SystemColours& system) {
    Palette palette;
    palette.kind = PaletteKind::light;
    palette.face = system.button_face;
    palette.caption_text = rgb(0, 0, 0);
    palette.tree_background = rgb(250, 250, 250);
    palette.list_background = rgb(255, 255, 255);
    palette.text = rgb(96, 96, 96);
    palette.quiet_text = system.gray_text;
    palette.field_background = system.window;
    palette.field_text = system.window_text;
    palette.hover_background = rgb(229, 241, 251);
    palette.hover_text = rgb(0, 84, 166);
    palette.inactive_selection_background = blend_into(system.highlight, palette.tree_background);
    palette.inactive_selection_text = system.window_text;
    palette.tip_background = system.info_background;
    palette.tip_text = system.info_text;
    return palette;
}

// Every text at least 7:1 against what it stands on.
Palette dark_palette(const SystemColours& system) {
    Palette palette;
    palette.kind = PaletteKind::dark;
    palette.face = rgb(43, 43, 43);
    palette.caption_text = rgb(240, 240, 240);
    palette.tree_background = rgb(25, 25, 25);
    palette.list_background = rgb(32, 32, 32);
    palette.text = rgb(224, 224, 224);
    palette.quiet_text = rgb(180, 180, 180);
    palette.field_background = rgb(32, 32, 32);
    palette.field_text = rgb(240, 240, 240);
    palette.hover_background = rgb(38, 60, 84);
    palette.hover_text = rgb(235, 244, 255);
    palette.inactive_selection_background = blend_into(system.highlight, palette.tree_background);
    palette.inactive_selection_text = rgb(255, 255, 255);
    palette.tip_background = rgb(43, 43, 43);
    palette.tip_text = rgb(240, 240, 240);
    return palette;
}

// Nothing of its own: the user's scheme is what they can read.
Palette high_contrast_palette(const SystemColours& system) {
    Palette palette;
    palette.kind = PaletteKind::high_contrast;
    palette.face = system.button_face;
    palette.caption_text = system.window_text;
    palette.tree_background = system.window;
    palette.list_background = system.window;
    palette.text = system.window_text;
    palette.quiet_text = system.gray_text;
    palette.field_background = system.window;
    palette.field_text = system.window_text;
    palette.hover_background = system.highlight;
    palette.hover_text = system.highlight_text;
    palette.inactive_selection_background = system.highlight;
    palette.inactive_selection_text = system.highlight_text;
    palette.tip_background = system.info_background;
    palette.tip_text = system.info_text;
    return palette;
}

}  // namespace

Palette choose_palette(int theme, const SystemLook& system) {
    if (system.high_contrast)
        return high_contrast_palette(system.colours);
    const bool dark = theme == kThemeDark || (theme != kThemeLight && system.apps_dark);
    return dark ? dark_palette(system.colours) : light_palette(system.colours);
}

double contrast_ratio(Colour first, Colour second) {
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

Colour blend_into(Colour front, Colour back) {
    const auto mix = [](std::uint8_t f, std::uint8_t b) {
        return static_cast<std::uint8_t>((f + 2 * b + 1) / 3);
    };
    return rgb(mix(red(front), red(back)), mix(green(front), green(back)),
               mix(blue(front), blue(back)));
}

}  // namespace trevalon
