// Make file name on any title and folder: never a forbidden or control
// character in the result, the link's path (numbered by the free-name rule)
// never longer than the system allows, and valid UTF-8
// in gives valid UTF-8 out (the cut never splits a character).
#include "fuzz_input.h"
#include "menu/name_rules.h"
#include "menu/path_text.h"
#include "menu/unicode_text.h"

namespace {

// Strict UTF-8: what utf8_to_utf16 decodes without replacement characters.
bool is_clean_utf8(std::string_view text) {
    return trevalon::utf16_to_utf8(trevalon::utf8_to_utf16(text)) == text &&
           trevalon::utf8_to_utf16(text).find(u'\uFFFD') == std::u16string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trevalon;
    if (size == 0)
        return 0;
    // The first byte says how much of the rest is the folder.
    const std::string_view rest = fuzz::as_text(data + 1, size - 1);
    const std::size_t folder_size = std::min<std::size_t>(data[0] * 2u, rest.size());
    const std::string_view folder = rest.substr(0, folder_size);
    const std::string_view title = rest.substr(folder_size);

    const std::string name = make_file_name(title, folder);
    for (char c : name) {
        fuzz::require(static_cast<unsigned char>(c) >= 32, "no control characters");
        fuzz::require(kForbiddenNameCharacters.find(c) == std::string_view::npos,
                      "no forbidden characters");
    }
    const NameParts parts = split_extension(name);
    if (!parts.base.empty()) {
        const std::size_t dot = parts.has_dot ? 1 : 0;
        const auto units = static_cast<long>(utf16_length(folder) + utf16_length(parts.base) + dot +
                                             utf16_length(parts.extension) + 4);
        fuzz::require(units + kFreeNumberRoom <= kLongestPath, "the numbered link's path fits");
    }
    if (is_clean_utf8(title) && is_clean_utf8(folder))
        fuzz::require(is_clean_utf8(name), "UTF-8 stays UTF-8");
    // Stripping never adds anything.
    fuzz::require(strip_name_characters(title).size() <= title.size(), "stripping only removes");
    return 0;
}
