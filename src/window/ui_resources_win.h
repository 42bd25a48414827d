// The fonts, embedded images and cursors loaded once at start-up and used by
// the window's controls.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "icons/image.h"
#include "platform/handles_win.h"

namespace trevalon {

struct UiFonts {
    std::string base_face;  // "Segoe UI", or the fall-back when it is missing
    UniqueFont font1;       // the default font of every control
    UniqueFont font10;
    UniqueFont font11;
    UniqueFont font12;
};

// The system's shared cursors: never destroyed, only forgotten at the end.
struct UiCursors {
    HCURSOR arrow = nullptr;
    HCURSOR wait = nullptr;
    HCURSOR app_starting = nullptr;
};

// Image numbers 0-32 are 16 × 16 icons, 40-42 the settings window's pictures.
inline constexpr int kImageSlots = 43;
inline constexpr int kEmbeddedIconSide = 16;
inline constexpr std::array kIconImageNumbers{0,  1,  2,  3,  5,  6,  7,  8,  10, 11, 12,
                                              13, 14, 20, 21, 22, 23, 24, 25, 30, 31, 32};
inline constexpr std::array kPictureImageNumbers{40, 41, 42};

struct UiResources {
    UiFonts fonts;
    // The icons' pixels: the controls make what they show from them (one
    // strip of pictures per toolbar, one icon per image button), so no icon
    // object of the system is made that nothing shows.
    std::array<Image, kImageSlots> icon_images;
    // The settings window's pictures as the program holds them; each is
    // decoded when it is first shown.
    std::array<std::span<const std::uint8_t>, kImageSlots> picture_files;
    UiCursors cursors;

    // The image, or null when its number has none or it could not be loaded.
    const Image* icon_image(int number) const;
    HBITMAP picture(int number) const;

  private:
    mutable std::array<UniqueBitmap, kImageSlots> pictures_;
};

// Horizontal resolution of the desktop, in dots per inch.
int desktop_dpi();

// Fonts 1, 10, 11 and 12 for the resolution. "Segoe UI" is tried for font 1;
// when the system has no such face the base becomes "MS Sans Serif" for all.
UiFonts create_fonts(int dpi);

// Loads every embedded image; one that is missing or damaged stays empty. The
// pictures stay in the module (which must outlive the resources) until shown.
void load_embedded_images(UiResources& resources, HINSTANCE instance);

UiCursors load_cursors();

// The bytes of an RCDATA resource of the module, empty when it has none.
std::span<const std::uint8_t> embedded_data(HINSTANCE instance, int resource_id);

// A top-down 32-bit bitmap with the image's alpha; empty for an empty image.
UniqueBitmap bitmap_from_image(const Image& image);

}  // namespace trevalon
