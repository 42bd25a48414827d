// Pictures for the codec tests, made with the libraries' own writers so the
// readers are checked against independent encoders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "icons/image.h"

namespace trevalon::test {

using Bytes = std::vector<std::uint8_t>;

// Every channel varies, alpha included (fully transparent to opaque).
Image varied_image(int width, int height);
// Smooth colours, which survive JPEG compression within a few levels.
Image smooth_image(int width, int height);

// PNG through libpng's simplified writer in any of its formats (for example
// PNG_FORMAT_GRAY or PNG_FORMAT_LINEAR_RGB); `pixels` is in that format.
Bytes write_png(std::uint32_t format, int width, int height, const void* pixels,
                const void* colormap = nullptr, int colormap_entries = 0);
// JPEG of an RGB (components 3) or grey (components 1) buffer.
Bytes write_jpeg(int width, int height, int components, const std::uint8_t* pixels,
                 int quality = 95);
Bytes write_jpeg(const Image& image);

// An icon-file image in bitmap form: header, palette, bottom-up colour rows,
// bottom-up 1-bit mask. `colour_rows` and `mask_rows` are top-down here.
Bytes bitmap_entry(int width, int height, int bits, const Bytes& palette, const Bytes& colour_rows,
                   const Bytes& mask_rows);

struct IcoEntry {
    Bytes data;
    int width_byte = 0;
    int height_byte = 0;
    int bits = 32;
    // Overrides for a directory that lies about where the data is.
    std::int64_t size_override = -1;
    std::int64_t offset_override = -1;
};
Bytes ico_file(const std::vector<IcoEntry>& entries);

std::uint16_t read_le16(const Bytes& data, std::size_t at);
std::uint32_t read_le32(const Bytes& data, std::size_t at);
Bytes read_file(const std::string& utf8_path);

}  // namespace trevalon::test
