#include "support/picture_fixtures.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <png.h>
#include <jpeglib.h>

#include "base/utf8_path.h"

namespace trevalon::test {

Image varied_image(int width, int height) {
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.pixel(x, y);
            p[0] = static_cast<std::uint8_t>(x * 37 + y * 11);
            p[1] = static_cast<std::uint8_t>(x * 5 ^ y * 29);
            p[2] = static_cast<std::uint8_t>(255 - x * 3 - y * 7);
            p[3] = static_cast<std::uint8_t>((x + y * width) * 255 / (width * height - 1));
        }
    }
    return image;
}

Image smooth_image(int width, int height) {
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = image.pixel(x, y);
            p[0] = static_cast<std::uint8_t>(40 + x * 160 / width);
            p[1] = static_cast<std::uint8_t>(200 - y * 150 / height);
            p[2] = 90;
            p[3] = 255;
        }
    }
    return image;
}

Bytes write_png(std::uint32_t format, int width, int height, const void* pixels,
                const void* colormap, int colormap_entries) {
    png_image description{};
    description.version = PNG_IMAGE_VERSION;
    description.width = static_cast<png_uint_32>(width);
    description.height = static_cast<png_uint_32>(height);
    description.format = format;
    description.colormap_entries = static_cast<png_uint_32>(colormap_entries);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&description, nullptr, &size, 0, pixels, 0, colormap)) {
        throw std::runtime_error(description.message);
    }
    Bytes out(size);
    if (!png_image_write_to_memory(&description, out.data(), &size, 0, pixels, 0, colormap)) {
        throw std::runtime_error(description.message);
    }
    out.resize(size);
    return out;
}

Bytes write_jpeg(int width, int height, int components, const std::uint8_t* pixels, int quality) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const std::size_t stride = static_cast<std::size_t>(width) * components;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels + cinfo.next_scanline * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

Bytes write_jpeg(const Image& image) {
    Bytes rgb;
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
        rgb.insert(rgb.end(), image.rgba.begin() + static_cast<std::ptrdiff_t>(i),
                   image.rgba.begin() + static_cast<std::ptrdiff_t>(i) + 3);
    }
    return write_jpeg(image.width, image.height, 3, rgb.data());
}

namespace {

void put16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(Bytes& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

}  // namespace

Bytes bitmap_entry(int width, int height, int bits, const Bytes& palette, const Bytes& colour_rows,
                   const Bytes& mask_rows) {
    Bytes out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height * 2));
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(bits));
    put32(out, 0);  // no compression
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(palette.size() / 4));
    put32(out, 0);
    out.insert(out.end(), palette.begin(), palette.end());
    const std::size_t colour_stride = colour_rows.size() / static_cast<std::size_t>(height);
    for (int y = height - 1; y >= 0; --y) {
        auto row = colour_rows.begin() + static_cast<std::ptrdiff_t>(y * colour_stride);
        out.insert(out.end(), row, row + static_cast<std::ptrdiff_t>(colour_stride));
    }
    const std::size_t mask_stride = mask_rows.size() / static_cast<std::size_t>(height);
    for (int y = height - 1; y >= 0; --y) {
        auto row = mask_rows.begin() + static_cast<std::ptrdiff_t>(y * mask_stride);
        out.insert(out.end(), row, row + static_cast<std::ptrdiff_t>(mask_stride));
    }
    return out;
}

Bytes ico_file(const std::vector<IcoEntry>& entries) {
    Bytes out;
    put16(out, 0);
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(entries.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(entries.size());
    for (const IcoEntry& entry : entries) {
        out.push_back(static_cast<std::uint8_t>(entry.width_byte));
        out.push_back(static_cast<std::uint8_t>(entry.height_byte));
        out.push_back(0);
        out.push_back(0);
        put16(out, 1);
        put16(out, static_cast<std::uint32_t>(entry.bits));
        const auto size = static_cast<std::uint32_t>(entry.data.size());
        put32(out,
              entry.size_override >= 0 ? static_cast<std::uint32_t>(entry.size_override) : size);
        put32(out, entry.offset_override >= 0 ? static_cast<std::uint32_t>(entry.offset_override)
                                              : offset);
        offset += size;
    }
    for (const IcoEntry& entry : entries)
        out.insert(out.end(), entry.data.begin(), entry.data.end());
    return out;
}

std::uint16_t read_le16(const Bytes& data, std::size_t at) {
    return static_cast<std::uint16_t>(data.at(at) | (data.at(at + 1) << 8));
}

std::uint32_t read_le32(const Bytes& data, std::size_t at) {
    return read_le16(data, at) | (static_cast<std::uint32_t>(read_le16(data, at + 2)) << 16);
}

Bytes read_file(const std::string& utf8_path) {
    std::ifstream in(utf8_to_path(utf8_path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace trevalon::test
