// The program's in-memory picture: 8-bit RGBA, straight (not premultiplied)
// alpha, rows top to bottom.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace trevalon {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // width * height * 4 bytes

    Image() = default;
    Image(int w, int h) : width(w), height(h), rgba(static_cast<std::size_t>(w) * h * 4, 0) {}
    bool empty() const { return width <= 0 || height <= 0; }
    std::uint8_t* pixel(int x, int y) {
        return &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    }
    const std::uint8_t* pixel(int x, int y) const {
        return &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    }
};

// The largest width or height any decoder accepts: far above any icon or
// picture the program shows, small enough that a hostile header cannot make
// it reserve gigabytes (4096 * 4096 * 4 bytes = 64 MiB).
inline constexpr int kMaxImageSide = 4096;

// True when the image has pixels and exactly width * height * 4 bytes of them:
// what every routine that reads the pixels needs.
bool well_formed(const Image& image);

// Decoders return nothing for data that is not a picture of their kind, is
// damaged, or is larger than they accept. None of them throws.
std::optional<Image> decode_png(std::span<const std::uint8_t> data);
std::optional<Image> decode_jpeg(std::span<const std::uint8_t> data);
// The largest image of a .ico file (PNG-compressed or bitmap entries).
std::optional<Image> decode_ico(std::span<const std::uint8_t> data);
// Any of the three, told apart by their first bytes.
std::optional<Image> decode_picture(std::span<const std::uint8_t> data);

// 8-bit RGBA PNG.
std::optional<std::vector<std::uint8_t>> encode_png(const Image& image);

}  // namespace trevalon
