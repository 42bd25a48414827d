// What the file list shows, as text: the folder and the file-name patterns it
// reads, changed by the one text the program sets, and the pattern matching.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trevalon {

inline constexpr std::string_view kAllFilesPattern = "*.*";

struct ListSource {
    std::string folder;  // ends in "\" and starts upper case; empty: the list is empty
    std::string pattern{kAllFilesPattern};  // one or more patterns separated by ";"

    bool operator==(const ListSource&) const = default;
};

// The source after setting the list's text: an empty text clears the folder;
// a text without "\" is a new pattern for the same folder; a text ending in
// "\" a new folder with the same pattern; any other text is split at its last
// "\" into folder and pattern. A leading "\" that is the text's only one is
// dropped, so "\*.url" is a pattern. The folder's first letter is upper-cased.
ListSource apply_list_text(const ListSource& current, std::string_view text);

// The non-empty parts of a ";"-separated pattern, in order.
std::vector<std::string_view> split_patterns(std::string_view pattern);

// Whether a file name matches a pattern with "*" (any run) and "?" (one
// character), letter case ignored. As with the system's own search, a
// pattern ending in ".*" also matches names without a dot, so "*.*" matches
// every name.
bool matches_file_pattern(std::string_view name, std::string_view pattern);

}  // namespace trevalon
