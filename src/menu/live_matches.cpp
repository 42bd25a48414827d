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

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// One match while the results are worked out; it points into the index,
// which does not change meanwhile, and names are copied only for the rows
// that stay.
struct Found {
    std::size_t candidate = 0;
    std::string converted;         // the link name of a converted internet shortcut
    std::u16string converted_key;  // its key
};

bool is_internet_shortcut(std::string_view name) {
    const NameParts parts = split_extension(name);
    return parts.has_dot && ascii_lower(parts.extension) == "url";
}

std::u16string key_of(std::string_view name) {
    return upper_case(utf8_to_utf16(name));
}

std::vector<MatchTier> best_of(const std::vector<MatchTier>& above,
                               const std::vector<MatchTier>& own) {
    std::vector<MatchTier> best = own;
    for (std::size_t i = 0; i < best.size() && i < above.size(); ++i)
        best[i] = std::min(best[i], above[i]);
    return best;
}

}  // namespace

LiveResults LiveMatcher::find(std::span<const RootIndex* const> roots, std::string_view text) {
    SearchText wanted = make_search_text(text);
    std::vector<std::uint64_t> versions;
    for (const RootIndex* root : roots)
        versions.push_back(root ? root->version() : 0);
    const bool same_indexes =
        std::equal(roots.begin(), roots.end(), roots_.begin(), roots_.end()) &&
        versions == versions_;
    narrowed_ = same_indexes && narrows(text_, wanted);
    text_ = std::move(wanted);
    if (narrowed_) {
        test_again();
    } else {
        roots_.assign(roots.begin(), roots.end());
        versions_ = std::move(versions);
        walk_all(roots);
    }
    return results();
}

void LiveMatcher::forget() {
    text_ = SearchText{};
    roots_.clear();
    versions_.clear();
    folders_.clear();
    candidates_.clear();
    narrowed_ = false;
}

void LiveMatcher::walk_all(std::span<const RootIndex* const> roots) {
    folders_.clear();
    candidates_.clear();
    if (text_.empty())
        return;
    const std::vector<MatchTier> no_folder(text_.words.size(), MatchTier::none);
    for (std::size_t root = 0; root < roots.size(); ++root) {
        if (!roots[root])
            continue;
        folders_.push_back(Folder{kNone, nullptr, roots[root]->root(), no_folder});
        roots[root]->walk(
            folders_.size() - 1,
            [&](std::size_t parent, const IndexedEntry& folder, const std::string& path) {
                std::vector<MatchTier> tiers =
                    best_of(folders_[parent].tiers, folder_word_tiers(folder.search, text_));
                folders_.push_back(Folder{parent, &folder, path, std::move(tiers)});
                return folders_.size() - 1;
            },
            [&](std::size_t folder, const IndexedEntry& file) {
                const MatchTier tier =
                    text_tier(file.search, file.key, text_, folders_[folder].tiers);
                if (tier != MatchTier::none)
                    candidates_.push_back(Candidate{root, folder, &file, tier});
            });
    }
}

void LiveMatcher::test_again() {
    // Parents come before their folders, so each sees its parent's tiers.
    for (Folder& folder : folders_) {
        if (!folder.entry) {
            folder.tiers.assign(text_.words.size(), MatchTier::none);
            continue;
        }
        folder.tiers =
            best_of(folders_[folder.parent].tiers, folder_word_tiers(folder.entry->search, text_));
    }
    std::size_t kept = 0;
    for (Candidate& candidate : candidates_) {
        candidate.tier = text_tier(candidate.entry->search, candidate.entry->key, text_,
                                   folders_[candidate.folder].tiers);
        if (candidate.tier != MatchTier::none)
            candidates_[kept++] = candidate;
    }
    candidates_.resize(kept);
}

LiveResults LiveMatcher::results() const {
    // One per name: the later copy replaces the earlier, in its place.
    std::vector<Found> found;
    std::unordered_map<std::u16string_view, std::size_t> by_key;
    by_key.reserve(candidates_.size());
    for (std::size_t i = 0; i < candidates_.size(); ++i) {
        const auto [at, added] = by_key.emplace(candidates_[i].entry->key, found.size());
        if (added) {
            found.push_back(Found{i, {}, {}});
        } else {
            found[at->second] = Found{i, {}, {}};
        }
    }

    // The conversion of the results folder's internet shortcuts, in its
    // listing order: each non-empty one becomes a link under the first free
    // name among the names the folder holds at that moment; with none free
    // it stays.
    std::vector<Found*> shortcuts;
    for (Found& f : found) {
        const IndexedEntry& entry = *candidates_[f.candidate].entry;
        if (entry.has_content && is_internet_shortcut(entry.name))
            shortcuts.push_back(&f);
    }
    if (!shortcuts.empty()) {
        const auto key = [&](const Found* f) -> std::u16string_view {
            return f->converted.empty() ? std::u16string_view(candidates_[f->candidate].entry->key)
                                        : std::u16string_view(f->converted_key);
        };
        std::sort(shortcuts.begin(), shortcuts.end(),
                  [&](const Found* a, const Found* b) { return key(a) < key(b); });
        std::unordered_set<std::u16string> taken;
        for (const auto& [name, index] : by_key)
            taken.emplace(name);
        for (Found* f : shortcuts) {
            const NameParts parts = split_extension(candidates_[f->candidate].entry->name);
            const std::optional<std::string> link = free_name(
                std::string(parts.base) + ".lnk",
                [&taken](const std::string& name) { return taken.contains(key_of(name)); });
            if (!link)
                continue;
            taken.erase(std::u16string(key(f)));
            f->converted = *link;
            f->converted_key = key_of(*link);
            taken.insert(f->converted_key);
        }
    }

    LiveResults results;
    std::vector<std::size_t> folder_numbers(folders_.size(), kNone);
    results.matches.reserve(found.size());
    std::size_t name_bytes = 0;
    for (const Found& f : found)
        name_bytes += candidates_[f.candidate].entry->name.size();
    results.names.reserve(name_bytes);
    for (const Found& f : found) {
        const Candidate& candidate = candidates_[f.candidate];
        const IndexedEntry& entry = *candidate.entry;
        const std::string& shown = f.converted.empty() ? entry.name : f.converted;
        if (is_hidden_menu_file(shown))
            continue;
        std::size_t& folder = folder_numbers[candidate.folder];
        if (folder == kNone) {
            folder = results.folders.size();
            results.folders.push_back(folders_[candidate.folder].path);
        }
        LiveMatch& match = results.add(candidate.root, folder, entry.name);
        match.converted = f.converted;
        match.tier = candidate.tier;
        match.length = static_cast<std::uint16_t>(
            std::min<std::size_t>(utf16_length(split_extension(shown).base), 0xFFFF));
    }
    return results;
}

LiveMatch& LiveResults::add(std::size_t root, std::size_t folder, std::string_view name) {
    LiveMatch& match = matches.emplace_back();
    match.root = root;
    match.folder = folder;
    match.name_at = static_cast<std::uint32_t>(names.size());
    match.name_size = static_cast<std::uint32_t>(name.size());
    names += name;
    return match;
}

LiveResults find_live_matches(std::span<const RootIndex* const> roots, std::string_view text) {
    LiveMatcher matcher;
    return matcher.find(roots, text);
}

std::string folder_below_root(std::string_view root, std::string_view folder) {
    const std::string base = with_trailing_separator(root);
    std::string_view below = folder;
    if (below.size() >= base.size() && below.substr(0, base.size()) == base)
        below.remove_prefix(base.size());
    return without_trailing_separator(below);
}

}  // namespace trevalon
