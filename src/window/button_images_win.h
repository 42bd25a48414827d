// The toolbar and image-button pictures at the size the window's resolution
// asks for: the embedded 16 × 16 images, resampled when the side differs.
#pragma once

#include <windows.h>

#include <span>

#include "icons/image.h"
#include "shell/handles_win.h"
#include "window/window_numbers.h"

namespace trevalon {

// An icon of the picture (straight alpha); empty for an empty picture.
UniqueIcon icon_from_image(const Image& image);

// Embedded image `number` as a side × side icon; empty when it is missing or
// damaged.
UniqueIcon button_icon(HINSTANCE instance, int number, int side);

// The pictures of a toolbar's buttons in button order (separators take no
// picture), side × side each. A missing picture leaves its button blank.
UniqueImageList toolbar_images(HINSTANCE instance, std::span<const ToolbarButton> buttons,
                               int side);

}  // namespace trevalon
