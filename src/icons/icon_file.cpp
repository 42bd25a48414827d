#include "icons/icon_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>

#include "base/utf8_path.h"

namespace trevalon {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kHeaderSize = 6;
constexpr std::uint32_t kDirectoryEntrySize = 16;
constexpr int kMaxNameSuffix = 9999;

void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, static_cast<std::uint16_t>(value));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

// The directory keeps one byte per dimension; 0 stands for 256, and for
// anything larger too, since readers then take the size from the PNG itself
// (a truncated byte would claim a small icon that is not there).
std::uint8_t dimension_byte(int side) {
    return side >= 256 ? 0 : static_cast<std::uint8_t>(side);
}

bool write_file(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

}  // namespace

Image make_square(const Image& image) {
    if (!well_formed(image))
        return {};
    const int side = std::max(image.width, image.height);
    Image square(side, side);
    const int left = (side - image.width) / 2;
    const int top = (side - image.height) / 2;
    // Blending onto fully transparent pixels gives the source pixel itself,
    // so drawing the source is a copy of its rows.
    for (int y = 0; y < image.height; ++y) {
        std::copy_n(image.pixel(0, y), static_cast<std::size_t>(image.width) * 4,
                    square.pixel(left, top + y));
    }
    return square;
}

std::optional<std::vector<std::uint8_t>> encode_icon(const Image& image) {
    if (!well_formed(image))
        return std::nullopt;
    std::optional<Image> squared;
    if (image.width != image.height)
        squared = make_square(image);
    const Image& picture = squared ? *squared : image;

    const auto png = encode_png(picture);
    if (!png ||
        png->size() > std::numeric_limits<std::uint32_t>::max() - kHeaderSize - kDirectoryEntrySize)
        return std::nullopt;

    std::vector<std::uint8_t> file;
    file.reserve(kHeaderSize + kDirectoryEntrySize + png->size());
    put16(file, 0);  // reserved
    put16(file, 1);  // icon, not cursor
    put16(file, 1);  // one image
    file.push_back(dimension_byte(picture.width));
    file.push_back(dimension_byte(picture.height));
    file.push_back(0);  // no palette
    file.push_back(0);  // reserved
    put16(file, 1);     // planes
    put16(file, 32);    // bits per pixel
    put32(file, static_cast<std::uint32_t>(png->size()));
    put32(file, kHeaderSize + kDirectoryEntrySize);
    file.insert(file.end(), png->begin(), png->end());
    return file;
}

bool save_icon(const Image& image, const std::string& path) {
    const auto bytes = encode_icon(image);
    if (!bytes)
        return false;
    const fs::path target = utf8_to_path(path);
    fs::path temporary = target;
    temporary += ".tmp";
    std::error_code error;
    if (!write_file(temporary, *bytes)) {
        fs::remove(temporary, error);
        return false;
    }
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

std::string unique_icon_path(std::string_view folder, std::int64_t seconds_since_epoch) {
    const std::string stem = std::string(folder) + std::to_string(seconds_since_epoch);
    for (int suffix = 0; suffix <= kMaxNameSuffix; ++suffix) {
        std::string candidate = stem;
        if (suffix > 0)
            candidate.append(1, '-').append(std::to_string(suffix));
        candidate.append(".ico");
        std::error_code error;
        const bool taken = fs::exists(utf8_to_path(candidate), error);
        if (!taken && !error)
            return candidate;
    }
    return {};
}

}  // namespace trevalon
