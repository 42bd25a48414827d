// Finding one picture inside the bytes of a whole .ico file, as the embedded
// button images are stored.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace trevalon {

struct IconEntry {
    int width = 0;  // 256 for the directory's 0
    int height = 0;
    int bit_count = 0;
    std::span<const std::uint8_t> data;  // a bitmap (DIB) or PNG picture
};

// The entry whose size is `size` × `size` with the most colours, else the
// largest entry. Nothing when the bytes are not an icon file or an entry lies
// outside them.
std::optional<IconEntry> find_icon_entry(std::span<const std::uint8_t> file, int size);

}  // namespace trevalon
