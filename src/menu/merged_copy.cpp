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
    return upper_case(utf8_to_utf16(path));
}

std::u16string_view key_parent(std::u16string_view key) {
    const std::size_t at = key.rfind(u'\\');
    return at == std::u16string_view::npos ? std::u16string_view() : key.substr(0, at);
}

std::string_view last_part(std::string_view path) {
    const std::size_t at = path.rfind(kTreePathSeparator);
    return at == std::string_view::npos ? path : path.substr(at + 1);
}

using KeyIndex = std::unordered_map<std::u16string, std::size_t>;

KeyIndex index_by_key(const CopyContents& items) {
    KeyIndex index;
    index.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        index.emplace(path_key(items[i].path), i);
    return index;
}

const CopyItem* find(const CopyContents& items, const KeyIndex& index, const std::u16string& key) {
    const auto at = index.find(key);
    return at == index.end() ? nullptr : &items[at->second];
}

// Whether the key or one of the folders above it was removed.
bool under_removed(std::u16string_view key, const std::unordered_set<std::u16string>& removed) {
    if (removed.empty())
        return false;
    for (; !key.empty(); key = key_parent(key)) {
        if (removed.contains(std::u16string(key)))
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
    CopyContents merged;
    KeyIndex index;
    for (std::size_t source = 0; source < sources.size(); ++source) {
        for (const TreeItem& item : sources[source]) {
            std::u16string key = path_key(item.path);
            const std::u16string_view parent_key = key_parent(key);
            std::string_view parent_path;
            if (!parent_key.empty()) {
                // Inside a folder the copy lacks, or inside a file: never made.
                const CopyItem* parent = find(merged, index, std::u16string(parent_key));
                if (!parent || !parent->is_folder)
                    continue;
                parent_path = parent->path;
            }
            if (const auto at = index.find(key); at != index.end()) {
                CopyItem& earlier = merged[at->second];
                if (earlier.is_folder != item.is_folder || item.is_folder)
                    continue;
                earlier.source = source;
                earlier.source_path = item.path;
                earlier.size = item.size;
                earlier.modified = item.modified;
                earlier.attributes = item.attributes;
                continue;
            }
            CopyItem copied;
            copied.path = parent_path.empty() ? std::string(last_part(item.path))
                                              : std::string(parent_path) + kTreePathSeparator +
                                                    std::string(last_part(item.path));
            copied.source_path = item.path;
            copied.source = source;
            copied.is_folder = item.is_folder;
            copied.size = item.size;
            copied.modified = item.modified;
            copied.attributes = item.attributes;
            index.emplace(std::move(key), merged.size());
            merged.push_back(std::move(copied));
        }
    }
    return merged;
}

CopySyncPlan plan_copy_sync(const CopyContents& wanted, const CopyContents& held) {
    CopySyncPlan plan;
    const KeyIndex wanted_index = index_by_key(wanted);
    const KeyIndex held_index = index_by_key(held);

    std::unordered_set<std::u16string> removed;
    for (const CopyItem& item : held) {
        std::u16string key = path_key(item.path);
        if (under_removed(key, removed))
            continue;
        const CopyItem* want = find(wanted, wanted_index, key);
        const bool keep = want && want->is_folder == item.is_folder && want->path == item.path &&
                          (item.known || !item.is_folder);
        if (!keep) {
            plan.removals.push_back({item.path, item.is_folder});
            removed.insert(std::move(key));
        }
    }

    for (const CopyItem& item : wanted) {
        const std::u16string key = path_key(item.path);
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
        plan.copies.push_back({item.source, item.source_path, item.path,
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
        file.source_path = item.path;
        file.size = item.size;
        file.modified = item.modified;
        file.attributes = item.attributes;
        file.known = false;
        held.push_back(std::move(file));
    }
    return true;
}

}  // namespace trevalon
