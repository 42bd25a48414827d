// The search results worked out from the index instead of the disk, each
// pointing at its original file, with how well it matches. Every entry the
// search command finds is among them, under the name the command's results
// folder gives it; beside those, the entries whose names match the text in
// the more forgiving ways of menu/match_tiers.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "menu/match_tiers.h"

namespace trevalon {

class RootIndex;
struct IndexedEntry;

struct LiveMatch {
    std::size_t root = 0;    // which of the searched roots, in their order
    std::size_t folder = 0;  // the original's folder, in LiveResults::folders
    // The original's file name, in LiveResults::names: thousands of
    // matches take one piece of memory, not one each.
    std::uint32_t name_at = 0;
    std::uint32_t name_size = 0;
    // The name in the results folder when it differs: a converted internet
    // shortcut's link name.
    std::string converted;
    MatchTier tier = MatchTier::none;
    std::uint16_t length = 0;  // of the shown display name, in UTF-16 units
    float usage = 0;           // how much the user starts it (launch_usage.h)

    bool operator==(const LiveMatch&) const = default;
};

struct LiveResults {
    std::vector<std::string> folders;  // each ending in the separator
    std::string names;                 // the matches' file names, one after another
    std::vector<LiveMatch> matches;    // in root order and walk order

    const std::string& folder_of(const LiveMatch& match) const { return folders[match.folder]; }
    std::string_view name_of(const LiveMatch& match) const {
        return std::string_view(names).substr(match.name_at, match.name_size);
    }
    // The name the results folder gives it.
    std::string_view shown_name_of(const LiveMatch& match) const {
        return match.converted.empty() ? name_of(match) : std::string_view(match.converted);
    }
    std::string path_of(const LiveMatch& match) const {
        return folder_of(match) + std::string(name_of(match));
    }
    // A match of the file `name` (its tier and the rest still to be set).
    LiveMatch& add(std::size_t root, std::size_t folder, std::string_view name);
};

// Finds the matches of one text after another. Of several matching files
// with one name (letter case ignored) the last in root order and walk order
// stays, as in the results folder; non-empty internet shortcuts take the
// link name their conversion would give them (the free-name rule among the
// other results); the files a menu never lists are left out. A null root
// contributes nothing.
//
// A text that extends the last one, over the same unchanged indexes, tests
// only the last text's matches again: typing on narrows the answer.
class LiveMatcher {
  public:
    LiveResults find(std::span<const RootIndex* const> roots, std::string_view text);
    // Whether the last find only narrowed the one before.
    bool narrowed() const { return narrowed_; }
    // Drops what the last find kept: an index it looked at is going away.
    void forget();

  private:
    struct Folder {
        std::size_t parent = 0;
        const IndexedEntry* entry = nullptr;  // null for a root
        std::string path;
        std::vector<MatchTier> tiers;  // the best over it and the folders above, by word
    };
    struct Candidate {
        std::size_t root = 0;
        std::size_t folder = 0;
        const IndexedEntry* entry = nullptr;
        MatchTier tier = MatchTier::none;
    };

    void walk_all(std::span<const RootIndex* const> roots);
    void test_again();
    LiveResults results() const;

    SearchText text_;
    std::vector<const RootIndex*> roots_;
    std::vector<std::uint64_t> versions_;
    std::vector<Folder> folders_;
    std::vector<Candidate> candidates_;
    bool narrowed_ = false;
};

// The matches of one text, worked out afresh.
LiveResults find_live_matches(std::span<const RootIndex* const> roots, std::string_view text);

// The folder of a match below its root ("" directly in it), without a
// trailing separator: the location the results tell the user.
std::string folder_below_root(std::string_view root, std::string_view folder);

}  // namespace trevalon
