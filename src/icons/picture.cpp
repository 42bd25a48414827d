// Telling the three picture formats apart by their first bytes: a favicon
// service may answer with any of them whatever the address says.
#include <algorithm>
#include <initializer_list>

#include "icons/image.h"

namespace trevalon {
namespace {

bool starts_with(std::span<const std::uint8_t> data, std::initializer_list<std::uint8_t> prefix) {
    return data.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), data.begin());
}

}  // namespace

std::optional<Image> decode_picture(std::span<const std::uint8_t> data) {
    if (starts_with(data, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}))
        return decode_png(data);
    if (starts_with(data, {0xFF, 0xD8, 0xFF}))
        return decode_jpeg(data);
    if (starts_with(data, {0x00, 0x00, 0x01, 0x00}))
        return decode_ico(data);
    return std::nullopt;
}

}  // namespace trevalon
