#include "menu/file_drop_block.h"

#include "menu/path_text.h"
#include "menu/unicode_text.h"

namespace trevalon {

namespace {
void put_u32(std::vector<std::byte>& block, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        block[offset + static_cast<std::size_t>(i)] = std::byte((value >> (8 * i)) & 0xFF);
}

void append_u16(std::vector<std::byte>& block, char16_t unit) {
    block.push_back(std::byte(unit & 0xFF));
    block.push_back(std::byte((unit >> 8) & 0xFF));
}
}  // namespace

std::vector<std::byte> make_file_drop_block(const std::vector<std::string>& paths) {
    std::vector<std::byte> block(kFileDropHeaderSize, std::byte{0});
    put_u32(block, 0, kFileDropHeaderSize);  // offset of the first name
    put_u32(block, 16, 1);                   // the names are wide characters
    for (const std::string& path : paths) {
        const std::string name = without_trailing_separator(path);
        // A zero inside a name would end it early and show the reader the
        // rest as a second file (or end the list); no real file is named so.
        if (name.empty() || name.find('\0') != std::string::npos)
            continue;
        for (char16_t unit : utf8_to_utf16(name))
            append_u16(block, unit);
        append_u16(block, 0);
    }
    append_u16(block, 0);
    return block;
}

}  // namespace trevalon
