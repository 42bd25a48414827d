// The toolbar and image-button pictures at the size the window's resolution
// asks for: the 16 × 16 images start-up loaded, resampled when the side
// differs.
#pragma once

#include <windows.h>

#include <optional>
#include <span>

#include "icons/image.h"
#include "platform/handles_win.h"
#include "window/palette.h"
#include "window/window_numbers.h"

namespace trevalon {

// An icon of the picture (straight alpha); empty for an empty picture.
UniqueIcon icon_from_image(const Image& image);

// The pixels of an icon (its alpha, or its mask where it has none); nothing
// for a null or unreadable icon.
std::optional<Image> image_from_icon(HICON icon);

struct UiResources;

// Image `number` as a side × side icon; empty when it was not loaded. With a
// face, the picture is made legible against it (see picture_contrast.h).
UniqueIcon button_icon(const UiResources& resources, int number, int side,
                       std::optional<Colour> face = std::nullopt);

// The pictures of a toolbar's buttons in button order (separators take no
// picture), side × side each. A missing picture leaves its button blank.
UniqueImageList toolbar_images(const UiResources& resources, std::span<const ToolbarButton> buttons,
                               int side, std::optional<Colour> face = std::nullopt);

}  // namespace trevalon
