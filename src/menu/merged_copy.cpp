#include "menu/merged_copy.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "menu/unicode_text.h"

namespace trevalon {
namespace {

// A path as the file system compares it: upper-cased UTF-16. The mapping is
// one unit for one unit, so separators keep their places.
std::u16string path_key(std::string_view path) {
    std::u16string key = utf8_to_utf16(path);
    for (char16_t& unit : key)
        unit = upper_case(unit);
    return key;
}

std::u16string_view key_parent(std::u16string_view key) {
    const std::size_t at = key.rfind(u'\\');
    return at == std::u16string_view::npos ? std::u16string_view() : key.substr(0, at);
}

std::string_view last_part(std::string_view path) {
    const std::size_t at = path.rfind(kTreePathSeparator);
    return at == std::string_view::npos ? path : path.substr(at + 1);
}

// Looked up by views, so that no key is copied to be looked up.
struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view key) const {
        return std::hash<std::u16string_view>{}(key);
    }
};
using KeyIndex = std::unordered_map<std::u16string_view, std::size_t, KeyHash, std::equal_to<>>;
using KeySet = std::unordered_set<std::u16string_view, KeyHash, std::equal_to<>>;

// The items' keys, computed where an item lacks one (kept in `computed`).
std::vector<std::u16string_view> keys_of(const CopyContents& items,
                                         std::vector<std::u16string>& computed) {
    std::size_t missing = 0;
    for (const CopyItem& item : items)
        missing += item.key.empty() ? 1 : 0;
    computed.reserve(computed.size() + missing);
    std::vector<std::u16string_view> keys;
    keys.reserve(items.size());
    for (const CopyItem& item : items) {
        if (item.key.empty()) {
            computed.push_back(path_key(item.path));
            keys.push_back(computed.back());
        } else {
            keys.push_back(item.key);
        }
    }
    return keys;
}

const CopyItem* find(const CopyContents& items, const KeyIndex& index, std::u16string_view key) {
    const auto at = index.find(key);
    return at == index.end() ? nullptr : &items[at->second];
}

// The keys in order, with their items' places: one block of memory, where a
// hash map would take one per key.
using SortedKeys = std::vector<std::pair<std::u16string_view, std::size_t>>;

SortedKeys sorted_keys(const std::vector<std::u16string_view>& keys) {
    SortedKeys sorted;
    sorted.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        sorted.emplace_back(keys[i], i);
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

const CopyItem* find(const CopyContents& items, const SortedKeys& keys, std::u16string_view key) {
    const auto at =
        std::lower_bound(keys.begin(), keys.end(), key,
                         [](const std::pair<std::u16string_view, std::size_t>& entry,
                            std::u16string_view wanted) { return entry.first < wanted; });
    return at != keys.end() && at->first == key ? &items[at->second] : nullptr;
}

// Whether the key or one of the folders above it was removed.
bool under_removed(std::u16string_view key, const KeySet& removed) {
    if (removed.empty())
        return false;
    for (; !key.empty(); key = key_parent(key)) {
        if (removed.contains(key))
            return true;
    }
    return false;
}

bool same_source_file(const CopyItem& wanted, const CopyItem& held) {
    return held.known && held.source == wanted.source && held.size == wanted.size &&
           held.modified == wanted.modified && held.attributes == wanted.attributes;
}

}  // namespace

std::string_view tree_parent(std::string_view path) {
    const std::size_t at = path.rfind(kTreePathSeparator);
    return at == std::string_view::npos ? std::string_view() : path.substr(0, at);
}

CopyContents merge_trees(std::span<const TreeListing> sources) {
    std::size_t total = 0;
    for (const TreeListing& listing : sources)
        total += listing.size();
    CopyContents merged;
    merged.reserve(total);
    // By key; the keys live in the merged items, which never move (reserved).
    KeyIndex index;
    index.reserve(total);
    for (std::size_t source = 0; source < sources.size(); ++source) {
        for (const TreeItem& item : sources[source]) {
            std::u16string key = path_key(item.path);
            const std::u16string_view parent_key = key_parent(key);
            std::string_view parent_path;
            if (!parent_key.empty()) {
                // Inside a folder the copy lacks, or inside a file: never made.
                const CopyItem* parent = find(merged, index, parent_key);
                if (!parent || !parent->is_folder)
                    continue;
                parent_path = parent->path;
            }
            if (const auto at = index.find(std::u16string_view(key)); at != index.end()) {
                CopyItem& earlier = merged[at->second];
                if (earlier.is_folder != item.is_folder || item.is_folder)
                    continue;
                earlier.source = source;
                earlier.source_path = item.path == earlier.path ? std::string() : item.path;
                earlier.size = item.size;
                earlier.modified = item.modified;
                earlier.attributes = item.attributes;
                continue;
            }
            CopyItem copied;
            const std::string_view name = last_part(item.path);
            if (parent_path.empty()) {
                copied.path = name;
            } else {
                copied.path.reserve(parent_path.size() + 1 + name.size());
                copied.path.append(parent_path).append(1, kTreePathSeparator).append(name);
            }
            if (copied.path != item.path)
                copied.source_path = item.path;
            copied.source = source;
            copied.is_folder = item.is_folder;
            copied.size = item.size;
            copied.modified = item.modified;
            copied.attributes = item.attributes;
            copied.key = std::move(key);
            merged.push_back(std::move(copied));
            index.emplace(merged.back().key, merged.size() - 1);
        }
    }
    return merged;
}

CopySyncPlan plan_copy_sync(const CopyContents& wanted, const CopyContents& held) {
    CopySyncPlan plan;
    std::vector<std::u16string> computed;
    const std::vector<std::u16string_view> wanted_keys = keys_of(wanted, computed);
    const std::vector<std::u16string_view> held_keys = keys_of(held, computed);
    const SortedKeys wanted_index = sorted_keys(wanted_keys);
    const SortedKeys held_index = sorted_keys(held_keys);

    KeySet removed;
    for (std::size_t i = 0; i < held.size(); ++i) {
        const CopyItem& item = held[i];
        const std::u16string_view key = held_keys[i];
        if (under_removed(key, removed))
            continue;
        const CopyItem* want = find(wanted, wanted_index, key);
        const bool keep = want && want->is_folder == item.is_folder && want->path == item.path &&
                          (item.known || !item.is_folder);
        if (!keep) {
            plan.removals.push_back({item.path, item.is_folder});
            removed.insert(key);
        }
    }

    for (std::size_t i = 0; i < wanted.size(); ++i) {
        const CopyItem& item = wanted[i];
        const std::u16string_view key = wanted_keys[i];
        const CopyItem* there = find(held, held_index, key);
        if (there && under_removed(key, removed))
            there = nullptr;
        if (item.is_folder) {
            if (!there)
                plan.new_folders.push_back(item.path);
            continue;
        }
        if (there && same_source_file(item, *there))
            continue;
        const bool read_only_source = (item.attributes & kReadOnlyAttribute) != 0;
        plan.copies.push_back({item.source, item.from_path(), item.path,
                               read_only_source || (there && !there->known)});
    }
    return plan;
}

bool take_folder_files(CopyContents& held, std::string_view folder,
                       std::span<const TreeItem> now_there) {
    std::vector<std::string_view> held_folders;
    for (const CopyItem& item : held) {
        if (item.is_folder && tree_parent(item.path) == folder)
            held_folders.push_back(item.path);
    }
    std::vector<std::string_view> folders_there;
    for (const TreeItem& item : now_there) {
        if (item.is_folder)
            folders_there.push_back(item.path);
    }
    std::sort(held_folders.begin(), held_folders.end());
    std::sort(folders_there.begin(), folders_there.end());
    if (held_folders != folders_there)
        return false;

    std::erase_if(held, [&](const CopyItem& item) {
        return !item.is_folder && tree_parent(item.path) == folder;
    });
    for (const TreeItem& item : now_there) {
        if (item.is_folder)
            continue;
        CopyItem file;
        file.path = item.path;
        file.size = item.size;
        file.modified = item.modified;
        file.attributes = item.attributes;
        file.known = false;
        file.key = path_key(item.path);
        held.push_back(std::move(file));
    }
    return true;
}

}  // namespace trevalon
