#include "window/icon_directory.h"

namespace trevalon {
namespace {

std::uint32_t read_u16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] | (static_cast<std::uint32_t>(bytes[at + 1]) << 8);
}

std::uint32_t read_u32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return read_u16(bytes, at) | (read_u16(bytes, at + 2) << 16);
}

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;

}  // namespace

std::optional<IconEntry> find_icon_entry(std::span<const std::uint8_t> file, int size) {
    if (file.size() < kHeaderSize || read_u16(file, 0) != 0 || read_u16(file, 2) != 1) {
        return std::nullopt;
    }
    const std::size_t count = read_u16(file, 4);
    if (count == 0 || file.size() < kHeaderSize + count * kEntrySize)
        return std::nullopt;

    std::optional<IconEntry> best;
    bool best_fits = false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kHeaderSize + i * kEntrySize;
        IconEntry entry;
        entry.width = file[at] == 0 ? 256 : file[at];
        entry.height = file[at + 1] == 0 ? 256 : file[at + 1];
        entry.bit_count = static_cast<int>(read_u16(file, at + 6));
        const std::uint64_t length = read_u32(file, at + 8);
        const std::uint64_t offset = read_u32(file, at + 12);
        if (length == 0 || offset + length > file.size())
            return std::nullopt;
        entry.data =
            file.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));

        const bool fits = entry.width == size && entry.height == size;
        bool better = false;
        if (!best) {
            better = true;
        } else if (fits != best_fits) {
            better = fits;
        } else if (fits) {
            better = entry.bit_count > best->bit_count;
        } else {
            better = entry.width * entry.height > best->width * best->height;
        }
        if (better) {
            best = entry;
            best_fits = fits;
        }
    }
    return best;
}

}  // namespace trevalon
