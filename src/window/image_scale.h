// Resizing the 16 × 16 button pictures for screens above 96 dpi.
#pragma once

#include "icons/image.h"

namespace trevalon {

// The image resampled to width × height by area averaging: each target pixel
// takes the source pixels it covers, weighted by the covered area and by
// their alpha, so edges stay as sharp as the new size allows and transparent
// pixels lend no colour. An empty or malformed image gives an empty one.
Image scale_image(const Image& image, int width, int height);

}  // namespace trevalon
