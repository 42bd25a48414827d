// The file-drop block for any list of paths (the input split at line feeds):
// the header other programs rely on, and a list in which a reader finds
// exactly the paths that can name a file (not empty, no zero byte), each
// without a trailing separator.
#include <cstring>

#include "fuzz_input.h"
#include "menu/file_drop_block.h"
#include "menu/path_text.h"
#include "menu/unicode_text.h"

namespace {

std::uint32_t u32_at(const std::vector<std::byte>& block, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) |
                std::to_integer<std::uint32_t>(block[offset + static_cast<std::size_t>(i)]);
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trevalon;
    const std::vector<std::string> paths = fuzz::split(fuzz::as_text(data, size), '\n');
    const std::vector<std::byte> block = make_file_drop_block(paths);

    fuzz::require(block.size() >= kFileDropHeaderSize + 2, "header and the final zero");
    fuzz::require(u32_at(block, 0) == kFileDropHeaderSize, "names start after the header");
    fuzz::require(u32_at(block, 4) == 0 && u32_at(block, 8) == 0 && u32_at(block, 12) == 0,
                  "drop point and non-client flag are zero");
    fuzz::require(u32_at(block, 16) == 1, "names are wide");
    fuzz::require((block.size() - kFileDropHeaderSize) % 2 == 0, "whole UTF-16 units");

    // What a reader of the block sees: names up to each zero, until an empty one.
    std::u16string units((block.size() - kFileDropHeaderSize) / 2, u'\0');
    std::memcpy(units.data(), block.data() + kFileDropHeaderSize, units.size() * 2);
    fuzz::require(units.size() >= 1 && units.back() == u'\0', "the list ends in a zero");
    std::vector<std::u16string> seen;
    std::size_t at = 0;
    while (at < units.size() && units[at] != u'\0') {
        const std::size_t end = units.find(u'\0', at);
        seen.push_back(units.substr(at, end - at));
        at = end + 1;
    }
    fuzz::require(at == units.size() - 1, "nothing after the end of the list");

    std::vector<std::u16string> expected;
    for (const std::string& path : paths) {
        const std::string name = without_trailing_separator(path);
        if (!name.empty() && name.find('\0') == std::string::npos)
            expected.push_back(utf8_to_utf16(name));
    }
    fuzz::require(seen == expected, "a reader sees exactly the non-empty paths, in order");
    return 0;
}
