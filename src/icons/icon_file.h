// Windows icon files holding one PNG-compressed 32-bit image, as the program
// writes them for bookmark favicons.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "icons/image.h"

namespace trevalon {

// A side x side copy, side being the larger dimension, fully transparent
// around the source, which sits centred along its shorter dimension.
Image make_square(const Image& image);

// The complete .ico file for the image (made square first when it is not):
// 6-byte header, one 16-byte directory entry, the PNG data at offset 22.
// Nothing for an empty image or one the PNG encoder refuses.
std::optional<std::vector<std::uint8_t>> encode_icon(const Image& image);

// Writes encode_icon's file to `path`, replacing an older file there. The
// data goes to a temporary file beside it first and is renamed into place,
// so a failure leaves no file (and no half-written one): then false.
bool save_icon(const Image& image, const std::string& path);

// "<folder><seconds>.ico", or when that exists the first free one of
// "<folder><seconds>-1.ico", "-2", ... so two favicons saved within one
// second keep their own files. `folder` ends with a separator. Empty when
// no free name is found.
std::string unique_icon_path(std::string_view folder, std::int64_t seconds_since_epoch);

}  // namespace trevalon
