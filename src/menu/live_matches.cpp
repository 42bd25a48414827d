#include "menu/live_matches.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "menu/file_list_cleanup.h"
#include "menu/free_name.h"
#include "menu/path_text.h"
#include "menu/search_index.h"
#include "menu/unicode_text.h"

namespace trevalon {
namespace {

struct Found {
    LiveMatch match;
    std::u16string key;  // of the shown name: names in one folder differ in it
    bool has_content = false;
};

bool is_internet_shortcut(std::string_view name) {
    const NameParts parts = split_extension(name);
    return parts.has_dot && ascii_lower(parts.extension) == "url";
}

std::u16string key_of(std::string_view name) {
    return upper_case(utf8_to_utf16(name));
}

// The conversion of the results folder's internet shortcuts, in its listing
// order: each non-empty one becomes a link under the first free name among
// the names the folder holds at that moment; with none free it stays.
void convert_internet_shortcuts(std::vector<Found>& found) {
    std::unordered_set<std::u16string> taken;
    for (const Found& f : found)
        taken.insert(f.key);
    for (Found& f : found) {
        if (!f.has_content || !is_internet_shortcut(f.match.name))
            continue;
        const NameParts parts = split_extension(f.match.name);
        const std::optional<std::string> link =
            free_name(std::string(parts.base) + ".lnk",
                      [&taken](const std::string& name) { return taken.contains(key_of(name)); });
        if (!link)
            continue;
        taken.insert(key_of(*link));
        taken.erase(f.key);
        f.match.shown_name = *link;
        f.key = key_of(*link);
    }
}

}  // namespace

std::vector<LiveMatch> find_live_matches(std::span<const RootIndex* const> roots,
                                         std::string_view text) {
    const std::u16string needle = upper_case(utf8_to_utf16(text));
    std::vector<Found> found;
    std::unordered_map<std::u16string, std::size_t> by_key;
    for (std::size_t root = 0; root < roots.size(); ++root) {
        if (!roots[root])
            continue;
        roots[root]->find(needle, [&](const std::string& folder, const IndexedEntry& entry) {
            Found f{LiveMatch{root, folder, entry.name, entry.name}, entry.key, entry.has_content};
            const auto [at, added] = by_key.emplace(entry.key, found.size());
            if (added) {
                found.push_back(std::move(f));
            } else {
                found[at->second] = std::move(f);  // the later copy replaces the earlier
            }
        });
    }
    const auto listing_order = [](const Found& a, const Found& b) { return a.key < b.key; };
    std::sort(found.begin(), found.end(), listing_order);
    convert_internet_shortcuts(found);
    std::sort(found.begin(), found.end(), listing_order);

    std::vector<LiveMatch> matches;
    matches.reserve(found.size());
    for (Found& f : found) {
        if (!is_hidden_menu_file(f.match.shown_name))
            matches.push_back(std::move(f.match));
    }
    return matches;
}

std::string folder_below_root(std::string_view root, std::string_view folder) {
    const std::string base = with_trailing_separator(root);
    std::string_view below = folder;
    if (below.size() >= base.size() && below.substr(0, base.size()) == base)
        below.remove_prefix(base.size());
    return without_trailing_separator(below);
}

}  // namespace trevalon
