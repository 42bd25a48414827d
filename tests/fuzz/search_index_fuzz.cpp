// The search index kept current by change reports, on any sequence of
// changes to a folder tree held in memory: after each change (and the report
// of every path it touched) the index holds exactly what a fresh walk of the
// tree finds, in the walk's order; and the live matches of any text, however
// malformed, are unique by name without regard to case, in listing order,
// and never a file the menu hides.
//
// Input: one change per line. "f PATH" a file (folders made as needed),
// "e PATH" an empty file, "m PATH" a folder, "d PATH" deleted (with what it
// holds), "r OLD|NEW" renamed, "s TEXT" a search.
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "menu/file_list_cleanup.h"
#include "menu/folder_walk.h"
#include "menu/live_matches.h"
#include "menu/live_ranking.h"
#include "menu/search_index.h"
#include "menu/unicode_text.h"
#include "window/search_text.h"

namespace {

using namespace trevalon;

constexpr std::string_view kRoot = "R/";

struct Item {
    bool folder = false;
    bool content = false;
};

// Paths below the root ("a/b"), as a file system without regard to letter
// case holds them.
class Tree {
  public:
    std::optional<std::vector<DirectoryEntry>> list(std::string_view folder) const {
        if (folder.substr(0, kRoot.size()) != kRoot)
            return std::nullopt;
        std::string inside(folder.substr(kRoot.size()));
        if (!inside.empty()) {
            inside.pop_back();  // the trailing separator
            const auto found = items_.find(inside);
            if (found == items_.end() || !found->second.folder)
                return std::nullopt;
        }
        std::vector<DirectoryEntry> entries;
        for (const auto& [path, item] : items_) {
            if (parent_of(path) != inside)
                continue;
            DirectoryEntry entry;
            entry.name = path.substr(path.rfind('/') + 1);
            entry.is_directory = item.folder;
            entry.size = item.content ? 1 : 0;
            entries.push_back(entry);
        }
        // In the order a listing gives: upper-cased names.
        std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
            return upper_case(utf8_to_utf16(a.name)) < upper_case(utf8_to_utf16(b.name));
        });
        return entries;
    }

    // The path as stored when one of that name exists in its folder (any
    // letter case), else empty.
    std::string existing(const std::string& path) const {
        const std::u16string wanted = upper_case(utf8_to_utf16(path));
        for (const auto& [stored, item] : items_) {
            if (upper_case(utf8_to_utf16(stored)) == wanted)
                return stored;
        }
        return {};
    }

    // The path with the folders above it made where missing (each made
    // one noted) and the parts that exist spelt as stored; nothing when a
    // file stands where a folder would be.
    std::optional<std::string> place(const std::string& path, std::vector<std::string>& made) {
        std::string placed;
        std::size_t start = 0;
        for (std::size_t at = path.find('/'); at != std::string::npos;
             start = at + 1, at = path.find('/', start)) {
            const std::string folder =
                (placed.empty() ? "" : placed + "/") + path.substr(start, at - start);
            const std::string found = existing(folder);
            if (found.empty()) {
                items_[folder] = Item{true, false};
                made.push_back(folder);
                placed = folder;
            } else if (items_[found].folder) {
                placed = found;
            } else {
                return std::nullopt;
            }
        }
        return (placed.empty() ? "" : placed + "/") + path.substr(start);
    }

    void put(const std::string& path, Item item) { items_[path] = item; }

    // Removes path and everything below it.
    void remove(const std::string& path) {
        for (auto it = items_.begin(); it != items_.end();) {
            if (it->first == path || it->first.starts_with(path + "/")) {
                it = items_.erase(it);
            } else {
                ++it;
            }
        }
    }

    void move(const std::string& from, const std::string& to) {
        std::map<std::string, Item> moved;
        for (auto it = items_.begin(); it != items_.end();) {
            if (it->first == from || it->first.starts_with(from + "/")) {
                moved[to + it->first.substr(from.size())] = it->second;
                it = items_.erase(it);
            } else {
                ++it;
            }
        }
        items_.merge(moved);
    }

    static std::string parent_of(const std::string& path) {
        const std::size_t at = path.rfind('/');
        return at == std::string::npos ? std::string() : path.substr(0, at);
    }

  private:
    std::map<std::string, Item> items_;
};

// A path of at most four short, usable names; empty when none is left.
std::string clean_path(std::string_view text) {
    std::string path;
    int depth = 0;
    for (const std::string& part : fuzz::split(text, '/')) {
        std::string name = part.substr(0, 8);
        if (name.empty() || name == "." || name == ".." || name.find('\0') != std::string::npos)
            continue;
        if (++depth > 4)
            break;
        if (!path.empty())
            path += '/';
        path += name;
    }
    return path;
}

std::vector<std::string> walked(const FolderLister& lister) {
    std::vector<std::string> files;
    walk_folder_tree(
        kRoot,
        [&](const std::string& folder, const DirectoryEntry& entry, int) {
            if (!entry.is_directory)
                files.push_back(folder + entry.name);
        },
        lister);
    return files;
}

std::vector<std::string> indexed(const RootIndex& index) {
    std::vector<std::string> files;
    index.for_each_file([&](const std::string& folder, const IndexedEntry& entry) {
        files.push_back(folder + entry.name);
    });
    return files;
}

// The live matches of text and of each of its beginnings, typed one byte
// after another into one matcher that narrows what it found: the same as
// found afresh; every file the search command finds is there; one row per
// name, never a hidden file, the later root's copy; ranked, no row stands
// above one of a better tier.
void check_matches(LiveMatcher& matcher, const RootIndex& index, std::string_view text) {
    const RootIndex* roots[] = {&index, nullptr, &index};
    for (std::size_t typed = 1; typed <= text.size(); ++typed) {
        // As the field hands its text on: without blanks at the ends.
        const std::string part = trimmed_search_text(text.substr(0, typed));
        if (part.empty())
            continue;
        const LiveResults found = matcher.find(roots, part);
        const LiveResults fresh = find_live_matches(roots, part);
        fuzz::require(found.matches == fresh.matches && found.names == fresh.names &&
                          found.folders == fresh.folders,
                      "typing on finds what a fresh search finds");
        std::set<std::u16string> keys;
        std::set<std::u16string> names;
        for (const LiveMatch& match : found.matches) {
            fuzz::require(keys.insert(upper_case(utf8_to_utf16(found.shown_name_of(match)))).second,
                          "one row per name");
            names.insert(upper_case(utf8_to_utf16(found.name_of(match))));
            fuzz::require(!is_hidden_menu_file(found.shown_name_of(match)), "no hidden file");
            fuzz::require(match.root == 2, "the later root's copy stays");
            fuzz::require(match.tier != MatchTier::none, "every row matches");
        }
        // Internet shortcuts aside, whose names the conversion may change.
        const std::u16string needle = upper_case(utf8_to_utf16(part));
        index.for_each_file([&](const std::string&, const IndexedEntry& entry) {
            if (entry.key.find(needle) != std::u16string::npos &&
                !is_hidden_menu_file(entry.name) && !entry.key.ends_with(u".URL"))
                fuzz::require(names.contains(entry.key), "what the search command finds is there");
        });
        RankedResults ranked(found, nullptr);
        for (std::size_t i = 1; i < ranked.size(); ++i) {
            const MatchTier before = ranked.at(i - 1).tier;
            fuzz::require(before <= ranked.at(i).tier, "no row above one of a better tier");
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Tree tree;
    const FolderLister lister = [&tree](std::string_view folder) { return tree.list(folder); };
    RootIndex index(kRoot, lister);
    index.rebuild();
    LiveMatcher matcher;
    int steps = 0;
    for (const std::string& line : fuzz::split(fuzz::as_text(data, size), '\n')) {
        if (line.size() < 2 || ++steps > 64)
            break;
        const char op = line[0];
        const std::string_view argument = std::string_view(line).substr(2);
        std::vector<std::string> touched;
        if (op == 's') {
            check_matches(matcher, index, argument);
            continue;
        }
        if (op == 'r') {
            const std::size_t bar = argument.find('|');
            if (bar == std::string_view::npos)
                continue;
            const std::string from = tree.existing(clean_path(argument.substr(0, bar)));
            const std::string wanted = clean_path(argument.substr(bar + 1));
            if (from.empty() || wanted.empty() || !tree.existing(wanted).empty())
                continue;
            const std::optional<std::string> to = tree.place(wanted, touched);
            if (to && !to->starts_with(from + "/") && *to != from) {
                tree.move(from, *to);
                touched.push_back(from);
                touched.push_back(*to);
            }
        } else {
            const std::string path = clean_path(argument);
            if (path.empty())
                continue;
            if (op == 'd') {
                const std::string found = tree.existing(path);
                if (found.empty())
                    continue;
                tree.remove(found);
                touched = {found};
            } else if (op == 'f' || op == 'e' || op == 'm') {
                if (!tree.existing(path).empty())
                    continue;
                if (const std::optional<std::string> placed = tree.place(path, touched)) {
                    tree.put(*placed, Item{op == 'm', op == 'f'});
                    touched.push_back(*placed);
                }
            } else {
                continue;
            }
        }
        for (const std::string& path : touched)
            index.refresh(path);
        fuzz::require(indexed(index) == walked(lister), "the index holds what a fresh walk finds");
    }
    check_matches(matcher, index, "e");
    return 0;
}
