#include "commands/undo_store.h"

#include "menu/path_text.h"

namespace trevalon {
namespace {

// Names tried for a file set aside before giving up.
constexpr int kAsideNames = 10'000;
// Deeper than any menu a person makes.
constexpr int kDeepest = 64;

bool is_folder(PathState state) {
    return state == PathState::folder || state == PathState::empty_folder;
}

std::vector<std::string> undo_roots(const UndoFolders& folders) {
    return {folders.undo};
}

bool fill_below(FileDisk& disk, const Staging& staging, const std::string& kept,
                const std::string& path, std::vector<std::string>& made, int depth) {
    if (depth > kDeepest)
        return false;
    const std::string folder = without_trailing_separator(path);
    if (disk.state(folder) == PathState::missing) {
        if (!disk.make_folder(folder))
            return false;
        made.push_back(folder);
    }
    if (!is_folder(disk.state(folder)) || disk.is_link(folder))
        return false;
    const auto entries = disk.list(with_trailing_separator(kept));
    if (!entries)
        return false;
    for (const DirectoryEntry& entry : *entries) {
        const std::string from = with_trailing_separator(kept) + entry.name;
        const std::string to = with_trailing_separator(folder) + entry.name;
        if (entry.is_link)
            continue;
        if (entry.is_directory) {
            if (!fill_below(disk, staging, from, to, made, depth + 1))
                return false;
        } else if (disk.state(to) == PathState::missing) {
            if (!copy_whole(disk, from, to, staging))
                return false;
            made.push_back(to);
        }
    }
    return true;
}

}  // namespace

std::string edit_store(const UndoFolders& folders, int id) {
    if (folders.undo.empty())
        return {};
    return with_trailing_separator(folders.undo + std::to_string(id));
}

std::optional<std::string> keep_file(FileDisk& disk, const UndoFolders& folders, int id, int index,
                                     const std::string& path) {
    const std::string store = edit_store(folders, id);
    if (store.empty() || !own_folder_ready(disk, store, folders.data))
        return std::nullopt;
    const std::string kept = store + std::to_string(index);
    if (!copy_whole(disk, path, kept, folders.staging))
        return std::nullopt;
    return kept;
}

std::optional<std::string> keep_tree(FileDisk& disk, const UndoFolders& folders, int id, int index,
                                     const std::string& folder) {
    const std::string store = edit_store(folders, id);
    if (store.empty() || !own_folder_ready(disk, store, folders.data))
        return std::nullopt;
    const std::string kept = store + std::to_string(index);
    const bool whole =
        copy_tree(disk, folder, kept, folders.staging) && same_tree(disk, folder, kept);
    if (!whole) {
        const std::vector<std::string> roots = undo_roots(folders);
        trevalon::remove_tree(disk, kept, roots);
        return std::nullopt;
    }
    return kept;
}

void discard_edit_store(FileDisk& disk, const UndoFolders& folders, int id) {
    const std::string store = edit_store(folders, id);
    const std::vector<std::string> roots = undo_roots(folders);
    if (!store.empty())
        trevalon::remove_tree(disk, store, roots);
}

void discard_undo_store(FileDisk& disk, const UndoFolders& folders) {
    if (folders.undo.empty() || folders.data.empty())
        return;
    const std::vector<std::string> roots{folders.data};
    trevalon::remove_tree(disk, folders.undo, roots);
}

PathState StoreUndoDisk::state(const std::string& path) const {
    return disk_.state(path);
}

std::optional<Fingerprint> StoreUndoDisk::fingerprint(const std::string& path) const {
    return disk_.fingerprint(path);
}

std::optional<std::string> StoreUndoDisk::set_aside(const std::string& path) {
    if (!own_folder_ready(disk_, aside_folder_, folders_.data))
        return std::nullopt;
    for (int tries = 0; tries < kAsideNames; ++tries) {
        const std::string aside =
            with_trailing_separator(aside_folder_) + "aside-" + std::to_string(++asides_);
        if (taken(disk_, aside))
            continue;
        // Moved in one step where the disk allows it; else copied whole first.
        if (disk_.rename(path, aside))
            return aside;
        if (!copy_whole(disk_, path, aside, folders_.staging))
            return std::nullopt;
        if (!disk_.remove_file(path)) {
            disk_.remove_file(aside);
            return std::nullopt;
        }
        return aside;
    }
    return std::nullopt;
}

bool StoreUndoDisk::put_back(const std::string& aside, const std::string& path) {
    return disk_.rename(aside, path) || copy_whole(disk_, aside, path, folders_.staging);
}

bool StoreUndoDisk::remove_empty_folder(const std::string& path) {
    return disk_.state(path) == PathState::empty_folder &&
           disk_.remove_folder(without_trailing_separator(path));
}

bool StoreUndoDisk::make_folder(const std::string& path) {
    return disk_.make_folder(without_trailing_separator(path));
}

bool StoreUndoDisk::copy_in(const std::string& kept, const std::string& path) {
    return make_folders(disk_, std::string(folder_part(path))) &&
           copy_whole(disk_, kept, path, folders_.staging);
}

bool StoreUndoDisk::remove_file(const std::string& path) {
    return disk_.remove_file(path);
}

bool StoreUndoDisk::copy_tree_in(const std::string& kept, const std::string& path) {
    const std::string folder = without_trailing_separator(path);
    // A folder someone else makes meanwhile is theirs: nothing is copied
    // into it, and it stays.
    if (taken(disk_, folder) || !make_folders(disk_, std::string(folder_part(folder))) ||
        !disk_.make_folder(folder)) {
        return false;
    }
    std::vector<std::string> made;
    if (fill_below(disk_, folders_.staging, kept, folder, made, 0) &&
        same_tree(disk_, kept, folder)) {
        return true;
    }
    trevalon::remove_tree(disk_, folder, roots_);
    return false;
}

bool StoreUndoDisk::fill_tree_in(const std::string& kept, const std::string& path,
                                 std::vector<std::string>& made) {
    return fill_below(disk_, folders_.staging, kept, path, made, 0);
}

bool StoreUndoDisk::remove_tree(const std::string& path) {
    return trevalon::remove_tree(disk_, path, roots_);
}

bool StoreUndoDisk::rename(const std::string& from, const std::string& to) {
    return disk_.rename(without_trailing_separator(from), without_trailing_separator(to));
}

}  // namespace trevalon
