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

// One match while the results are worked out; it points into the index,
// which does not change meanwhile, and names are copied only for the rows
// that stay.
struct Found {
    std::size_t root = 0;
    std::size_t folder = 0;  // in the list of folders met
    const IndexedEntry* entry = nullptr;
    std::string converted;         // the link name of a converted internet shortcut
    std::u16string converted_key;  // its key

    // The key of the name shown: names in one folder differ in it.
    std::u16string_view key() const {
        return converted.empty() ? std::u16string_view(entry->key) : converted_key;
    }
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
    for (Found& f : found) {
        if (!f.entry->has_content || !is_internet_shortcut(f.entry->name))
            continue;
        if (taken.empty()) {
            for (const Found& other : found)
                taken.emplace(other.key());
        }
        const NameParts parts = split_extension(f.entry->name);
        const std::optional<std::string> link =
            free_name(std::string(parts.base) + ".lnk",
                      [&taken](const std::string& name) { return taken.contains(key_of(name)); });
        if (!link)
            continue;
        taken.erase(std::u16string(f.key()));
        f.converted = *link;
        f.converted_key = key_of(*link);
        taken.insert(f.converted_key);
    }
}

}  // namespace

std::vector<LiveMatch> find_live_matches(std::span<const RootIndex* const> roots,
                                         std::string_view text) {
    const std::u16string needle = upper_case(utf8_to_utf16(text));
    std::vector<std::string> folders;
    std::vector<Found> found;
    std::unordered_map<std::u16string_view, std::size_t> by_key;
    for (std::size_t root = 0; root < roots.size(); ++root) {
        if (!roots[root])
            continue;
        roots[root]->find(needle, [&](const std::string& folder, const IndexedEntry& entry) {
            if (folders.empty() || folders.back() != folder)
                folders.push_back(folder);
            Found f{root, folders.size() - 1, &entry, {}, {}};
            const auto [at, added] = by_key.emplace(entry.key, found.size());
            if (added) {
                found.push_back(std::move(f));
            } else {
                found[at->second] = std::move(f);  // the later copy replaces the earlier
            }
        });
    }
    const auto listing_order = [](const Found& a, const Found& b) { return a.key() < b.key(); };
    std::sort(found.begin(), found.end(), listing_order);
    convert_internet_shortcuts(found);
    std::sort(found.begin(), found.end(), listing_order);

    std::vector<LiveMatch> matches;
    matches.reserve(found.size());
    for (Found& f : found) {
        const std::string& shown = f.converted.empty() ? f.entry->name : f.converted;
        if (is_hidden_menu_file(shown))
            continue;
        matches.push_back(LiveMatch{f.root, folders[f.folder], f.entry->name, shown});
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
