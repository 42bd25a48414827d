// PNG reading and writing with libpng. Reading uses the full API so that any
// colour type and bit depth is expanded to 8-bit RGBA without gamma changes
// (samples come out as stored, as icons are drawn); libpng reports errors by
// longjmp, so the function holding the setjmp owns no C++ objects.
#include <png.h>

#include <cstring>

#include "icons/image.h"

namespace trevalon {
namespace {

struct MemoryReader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t offset;
};

void read_from_memory(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->size - reader->offset)
        png_error(png, "truncated");
    std::memcpy(out, reader->data + reader->offset, length);
    reader->offset += length;
}

[[noreturn]] void on_png_error(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void on_png_warning(png_structp, png_const_charp) {}

// The decoded rows land in `image`, which the caller owns, so nothing here
// needs unwinding when libpng jumps back.
bool read_png(MemoryReader& reader, Image& image, std::vector<png_bytep>& rows) {
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, on_png_error, on_png_warning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_user_limits(png, kMaxImageSide, kMaxImageSide);
    png_set_read_fn(png, &reader, read_from_memory);
    png_read_info(png, info);

    png_set_expand(png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);  // only where there is no alpha yet
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (png_get_bit_depth(png, info) != 8 || png_get_channels(png, info) != 4 ||
        png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4 || width == 0 ||
        height == 0 || width > kMaxImageSide || height > kMaxImageSide) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    image = Image(static_cast<int>(width), static_cast<int>(height));
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = image.pixel(0, static_cast<int>(y));
    png_read_image(png, rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

std::optional<Image> decode_png(std::span<const std::uint8_t> data) {
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0)
        return std::nullopt;
    MemoryReader reader{data.data(), data.size(), 0};
    Image image;
    std::vector<png_bytep> rows;
    if (!read_png(reader, image, rows))
        return std::nullopt;
    return image;
}

std::optional<std::vector<std::uint8_t>> encode_png(const Image& image) {
    if (!well_formed(image))
        return std::nullopt;
    png_image description{};
    description.version = PNG_IMAGE_VERSION;
    description.width = static_cast<png_uint_32>(image.width);
    description.height = static_cast<png_uint_32>(image.height);
    description.format = PNG_FORMAT_RGBA;

    // First pass measures, second pass writes.
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&description, nullptr, &size, 0, image.rgba.data(), 0,
                                   nullptr) ||
        size == 0) {
        png_image_free(&description);
        return std::nullopt;
    }
    std::vector<std::uint8_t> out(size);
    if (!png_image_write_to_memory(&description, out.data(), &size, 0, image.rgba.data(), 0,
                                   nullptr)) {
        png_image_free(&description);
        return std::nullopt;
    }
    out.resize(size);
    return out;
}

}  // namespace trevalon
