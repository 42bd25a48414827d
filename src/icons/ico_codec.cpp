// Reading .ico files: a directory of images, each either a complete PNG file
// or a headerless bitmap (colour rows followed by a 1-bit transparency mask,
// both bottom-up, height counted twice). Every offset and size read from the
// file is checked against the data before use.
#include <algorithm>
#include <array>

#include "icons/image.h"

namespace trevalon {
namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::size_t kDirectoryEntrySize = 16;
constexpr std::size_t kBitmapHeaderSize = 40;
// A real icon holds a handful of images; a crafted one could list thousands
// pointing at one expensive picture.
constexpr int kMaxDecodeAttempts = 8;

using Bytes = std::span<const std::uint8_t>;

std::uint16_t le16(Bytes data, std::size_t at) {
    return static_cast<std::uint16_t>(data[at] | (data[at + 1] << 8));
}
std::uint32_t le32(Bytes data, std::size_t at) {
    return static_cast<std::uint32_t>(data[at]) | (static_cast<std::uint32_t>(data[at + 1]) << 8) |
           (static_cast<std::uint32_t>(data[at + 2]) << 16) |
           (static_cast<std::uint32_t>(data[at + 3]) << 24);
}
std::uint32_t be32(Bytes data, std::size_t at) {
    return (static_cast<std::uint32_t>(data[at]) << 24) |
           (static_cast<std::uint32_t>(data[at + 1]) << 16) |
           (static_cast<std::uint32_t>(data[at + 2]) << 8) |
           static_cast<std::uint32_t>(data[at + 3]);
}

bool is_png(Bytes data) {
    return data.size() >= kPngSignature.size() &&
           std::equal(kPngSignature.begin(), kPngSignature.end(), data.begin());
}

struct Candidate {
    Bytes data;
    std::uint64_t area;
    unsigned bits;
};

// Size and depth from the image's own header: the directory's bytes cannot
// say 256 or more and are often wrong.
std::optional<Candidate> examine(Bytes data) {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    unsigned bits = 32;
    if (is_png(data)) {
        if (data.size() < 24)
            return std::nullopt;
        width = be32(data, 16);
        height = be32(data, 20);
    } else {
        if (data.size() < kBitmapHeaderSize)
            return std::nullopt;
        width = le32(data, 4);  // signed in the file: negatives become huge and fail below
        height = le32(data, 8) / 2;
        bits = le16(data, 14);
    }
    if (width == 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide) {
        return std::nullopt;
    }
    return Candidate{data, std::uint64_t{width} * height, bits};
}

std::optional<Image> decode_bitmap(Bytes data) {
    if (data.size() < kBitmapHeaderSize)
        return std::nullopt;
    const std::uint64_t header_size = le32(data, 0);
    const std::uint32_t raw_width = le32(data, 4);
    const std::uint32_t raw_height = le32(data, 8);
    const unsigned bits = le16(data, 14);
    const std::uint32_t compression = le32(data, 16);
    const std::uint32_t colours_used = le32(data, 32);
    if (header_size < kBitmapHeaderSize || header_size > data.size())
        return std::nullopt;
    // Top-down (negative height) bitmaps do not occur in icons.
    if (raw_width == 0 || raw_width > kMaxImageSide || raw_height < 2 ||
        raw_height / 2 > kMaxImageSide || compression != 0) {
        return std::nullopt;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return std::nullopt;
    const int width = static_cast<int>(raw_width);
    const int height = static_cast<int>(raw_height / 2);

    std::uint64_t palette_size = 0;
    if (bits <= 8) {
        palette_size = colours_used != 0 ? colours_used : (1u << bits);
        if (palette_size > (1u << bits))
            return std::nullopt;
    }
    const std::uint64_t palette_at = header_size;
    const std::uint64_t colour_at = palette_at + palette_size * 4;
    const std::uint64_t colour_stride = (std::uint64_t{raw_width} * bits + 31) / 32 * 4;
    const std::uint64_t mask_at = colour_at + colour_stride * height;
    const std::uint64_t mask_stride = (std::uint64_t{raw_width} + 31) / 32 * 4;
    if (mask_at > data.size())
        return std::nullopt;
    // Some writers leave the mask out when the alpha channel says it all.
    const bool has_mask = mask_at + mask_stride * height <= data.size();

    Image image(width, height);
    bool any_alpha = false;
    for (int y = 0; y < height; ++y) {
        const std::size_t row = colour_at + (height - 1 - y) * colour_stride;
        for (int x = 0; x < width; ++x) {
            std::uint8_t* out = image.pixel(x, y);
            std::size_t source = 0;  // byte offset of the pixel's blue, green, red
            if (bits == 32 || bits == 24) {
                source = row + static_cast<std::size_t>(x) * (bits / 8);
                out[3] = bits == 32 ? data[source + 3] : 0xFF;
                any_alpha = any_alpha || out[3] != 0;
            } else {
                const std::size_t bit = static_cast<std::size_t>(x) * bits;
                const unsigned byte = data[row + bit / 8];
                const unsigned shift = 8 - bits - bit % 8;
                const unsigned index = (byte >> shift) & ((1u << bits) - 1);
                if (index >= palette_size) {
                    out[0] = out[1] = out[2] = 0;
                    out[3] = 0xFF;
                    continue;
                }
                source = palette_at + index * 4;
                out[3] = 0xFF;
            }
            out[0] = data[source + 2];
            out[1] = data[source + 1];
            out[2] = data[source];
        }
    }

    // A 32-bit image whose alpha is all zero predates alpha icons: its mask
    // decides, as for the other depths.
    if (bits == 32 && any_alpha)
        return image;
    for (int y = 0; y < height; ++y) {
        const std::size_t row = mask_at + (height - 1 - y) * mask_stride;
        for (int x = 0; x < width; ++x) {
            const bool transparent = has_mask && ((data[row + x / 8] >> (7 - x % 8)) & 1) != 0;
            image.pixel(x, y)[3] = transparent ? 0 : 0xFF;
        }
    }
    return image;
}

}  // namespace

std::optional<Image> decode_ico(Bytes data) {
    if (data.size() < 6 || le16(data, 0) != 0 || le16(data, 2) != 1)
        return std::nullopt;
    const std::size_t count = le16(data, 4);
    if (count == 0 || 6 + count * kDirectoryEntrySize > data.size())
        return std::nullopt;

    std::vector<Candidate> candidates;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 6 + i * kDirectoryEntrySize;
        const std::uint64_t size = le32(data, entry + 8);
        const std::uint64_t offset = le32(data, entry + 12);
        if (size == 0 || offset > data.size() || size > data.size() - offset)
            continue;
        if (auto candidate = examine(data.subspan(offset, size)))
            candidates.push_back(*candidate);
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const auto& a, const auto& b) {
        return a.area != b.area ? a.area > b.area : a.bits > b.bits;
    });

    int attempts = 0;
    for (const Candidate& candidate : candidates) {
        if (attempts++ == kMaxDecodeAttempts)
            break;
        auto image =
            is_png(candidate.data) ? decode_png(candidate.data) : decode_bitmap(candidate.data);
        if (image)
            return image;
    }
    return std::nullopt;
}

}  // namespace trevalon
