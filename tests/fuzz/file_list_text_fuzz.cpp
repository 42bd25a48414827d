// The file list's text splitting and pattern matching on any input: the text
// the program sets splits into a folder ending in "\" and a pattern without
// one, the two put together give the text back, patterns split into
// non-empty parts without ";", and every name matches itself and "*".
#include "fuzz_input.h"
#include "window/file_list_text.h"

namespace {

using trevalon::ListSource;

void check_source(const ListSource& source) {
    using trevalon::fuzz::require;
    require(source.folder.empty() || source.folder.back() == '\\', "a folder ends in a backslash");
    require(source.folder.empty() || !(source.folder[0] >= 'a' && source.folder[0] <= 'z'),
            "the folder's first letter is upper case");
    require(source.pattern.find('\\') == std::string::npos, "a pattern holds no backslash");
}

// The text with its first letter upper-cased, as the folder keeps it.
std::string upper_first(std::string_view text) {
    std::string result(text);
    if (!result.empty() && result[0] >= 'a' && result[0] <= 'z')
        result[0] = static_cast<char>(result[0] - 'a' + 'A');
    return result;
}

void check_split(std::string_view pattern) {
    std::string joined;
    for (const std::string_view part : trevalon::split_patterns(pattern)) {
        trevalon::fuzz::require(!part.empty(), "no empty pattern part");
        trevalon::fuzz::require(part.find(';') == std::string_view::npos,
                                "no separator inside a part");
        joined += part;
    }
    std::string without_separators;
    for (const char c : pattern) {
        if (c != ';')
            without_separators += c;
    }
    trevalon::fuzz::require(joined == without_separators, "the parts are the pattern in order");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trevalon;
    // Two texts set one after the other, then a name to match.
    const auto parts = fuzz::split(fuzz::as_text(data, size), '\n');
    const std::string_view first = parts[0];
    const std::string_view second = parts.size() > 1 ? std::string_view(parts[1]) : "";
    const std::string_view name = parts.size() > 2 ? std::string_view(parts[2]) : first;

    const ListSource once = apply_list_text({}, first);
    check_source(once);
    const ListSource twice = apply_list_text(once, second);
    check_source(twice);
    const std::size_t last = second.rfind('\\');
    if (!second.empty() && last != std::string_view::npos && last > 0) {
        // A text with a folder part names the folder and (when something
        // follows the last backslash) the pattern, nothing else.
        const std::string expected_pattern =
            last + 1 == second.size() ? once.pattern : std::string(second.substr(last + 1));
        fuzz::require(twice.folder + (last + 1 == second.size() ? "" : expected_pattern) ==
                          upper_first(second),
                      "folder and pattern give the text back");
        fuzz::require(twice.pattern == expected_pattern, "the pattern follows the last backslash");
    }
    if (second.empty())
        fuzz::require(twice.folder.empty() && twice.pattern == once.pattern,
                      "the empty text clears only the folder");

    check_split(twice.pattern);
    check_split(first);

    fuzz::require(matches_file_pattern(name, name), "a name matches itself");
    fuzz::require(matches_file_pattern(name, "*"), "every name matches *");
    fuzz::require(matches_file_pattern(name, "*.*"), "every name matches *.*");
    for (const std::string_view pattern : split_patterns(twice.pattern))
        matches_file_pattern(name, pattern);  // must end and stay in bounds
    return 0;
}
