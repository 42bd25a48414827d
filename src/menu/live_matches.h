// The search results worked out from the index instead of the disk: the
// same entries, under the same names and in the same order as the search
// command's results folder lists them after its walk, copy, internet-shortcut
// conversion and clean-up, but each one pointing at its original file.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trevalon {

class RootIndex;

struct LiveMatch {
    std::size_t root = 0;    // which of the searched roots, in their order
    std::string folder;      // the original's folder, ending in the separator
    std::string name;        // the original's file name
    std::string shown_name;  // the name in the results folder: a converted
                             // internet shortcut's link name, else name

    std::string path() const { return folder + name; }
    bool operator==(const LiveMatch&) const = default;
};

// Every file below the roots whose name contains text (letter case
// ignored), as the results folder would hold it: of several matches with
// one name (letter case ignored) the last in root order and walk order
// stays; non-empty internet shortcuts take the link name their conversion
// gives them (the free-name rule among the other results); the files a menu
// never lists are left out; the order is the listing order of the names
// shown. A null root contributes nothing.
std::vector<LiveMatch> find_live_matches(std::span<const RootIndex* const> roots,
                                         std::string_view text);

// The folder of a match below its root ("" directly in it), without a
// trailing separator: the location the results tell the user.
std::string folder_below_root(std::string_view root, std::string_view folder);

}  // namespace trevalon
