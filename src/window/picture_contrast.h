// Button pictures made for a light face, kept legible on another one: a
// dark face, or a high-contrast scheme's black or white.
#pragma once

#include <optional>

#include "icons/image.h"
#include "window/palette.h"

namespace trevalon {

// The contrast every visible pixel of a picture keeps against its face: what
// a part of a picture needs to be made out.
inline constexpr double kPictureContrast = 3.0;

// The face the pictures must stand out against; nothing for the light
// colours, whose pictures are drawn for them and stay exactly as they are.
std::optional<Colour> picture_face(const Palette& palette);

// The picture with every visible pixel at least `ratio` against `face`: a
// pixel short of it is mixed towards white on a dark face, towards black on
// a light one, just far enough. Transparency and the pixels already far
// enough stay as they are.
Image legible_against(const Image& picture, Colour face, double ratio = kPictureContrast);

}  // namespace trevalon
