#include "commands/undo_store_win.h"

#include <windows.h>

#include <set>
#include <utility>

#include "commands/import_win.h"
#include "menu/directory_listing.h"
#include "menu/folder_walk.h"
#include "menu/path_text.h"
#include "menu/program_folders.h"
#include "platform/file_ops_win.h"
#include "platform/safe_delete.h"
#include "platform/wide_win.h"

namespace trevalon {
namespace {

// Every file and folder below `folder` by its path relative to it, with "/"
// for folders; linked folders are left out, as copies leave them out.
std::set<std::string> tree_names(const std::string& folder) {
    std::set<std::string> names;
    const std::string start = with_backslash(folder);
    walk_folder_tree(start, [&](const std::string& at, const DirectoryEntry& entry, int) {
        if (entry.is_link && entry.is_directory)
            return;
        names.insert(at.substr(start.size()) + entry.name + (entry.is_directory ? "/" : ""));
    });
    return names;
}

bool same_tree(const std::string& a, const std::string& b) {
    return is_directory(a) && is_directory(b) && tree_names(a) == tree_names(b);
}

}  // namespace

std::string edit_store(const ProgramFolders& folders, int id) {
    if (folders.undo.empty())
        return {};
    return folders.undo + std::to_string(id) + "\\";
}

std::optional<std::string> keep_file(const ProgramFolders& folders, int id, int index,
                                     const std::string& path) {
    const std::string store = edit_store(folders, id);
    if (store.empty() || !create_folders(store))
        return std::nullopt;
    const std::string kept = store + std::to_string(index);
    if (!copy_file_if_absent(path, kept))
        return std::nullopt;
    // A copy whose bytes differ (a file that changed while it was copied)
    // would bring back something else.
    if (read_file(path) != read_file(kept)) {
        delete_file(kept);
        return std::nullopt;
    }
    return kept;
}

std::optional<std::string> keep_tree(const ProgramFolders& folders, int id, int index,
                                     const std::string& folder) {
    const std::string store = edit_store(folders, id);
    if (store.empty() || !create_folders(store))
        return std::nullopt;
    const std::string kept = store + std::to_string(index);
    copy_tree(folder, kept, "*.*", true);
    if (!same_tree(folder, kept)) {
        trevalon::remove_tree(kept, std::vector<std::string>{folders.undo});
        return std::nullopt;
    }
    return kept;
}

void discard_edit_store(const ProgramFolders& folders, int id) {
    const std::string store = edit_store(folders, id);
    if (!store.empty())
        trevalon::remove_tree(store, std::vector<std::string>{folders.undo});
}

void discard_undo_store(const ProgramFolders& folders) {
    if (!folders.undo.empty())
        trevalon::remove_tree(folders.undo, deletable_roots(folders));
}

PathState WindowsUndoDisk::state(const std::string& path) const {
    const DWORD attributes = GetFileAttributesW(utf8_to_wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathState::missing
                                                                              : PathState::unknown;
    }
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return PathState::file;
    const auto entries = list_directory(path);
    if (!entries)
        return PathState::unknown;
    return entries->empty() ? PathState::empty_folder : PathState::folder;
}

std::optional<Fingerprint> WindowsUndoDisk::fingerprint(const std::string& path) const {
    const std::optional<std::string> bytes = read_file(path);
    if (!bytes)
        return std::nullopt;
    return fingerprint_of(*bytes);
}

std::optional<std::string> WindowsUndoDisk::set_aside(const std::string& path) {
    if (!create_folders(aside_folder_))
        return std::nullopt;
    std::string aside;
    do {
        aside = with_backslash(aside_folder_) + "aside-" + std::to_string(++asides_);
    } while (path_taken(aside));
    if (!copy_file_if_absent(path, aside))
        return std::nullopt;
    if (!delete_file(path)) {
        delete_file(aside);
        return std::nullopt;
    }
    return aside;
}

bool WindowsUndoDisk::put_back(const std::string& aside, const std::string& path) {
    return copy_file_if_absent(aside, path);
}

bool WindowsUndoDisk::remove_empty_folder(const std::string& path) {
    return RemoveDirectoryW(utf8_to_wide(without_trailing_separator(path)).c_str()) != FALSE;
}

bool WindowsUndoDisk::make_folder(const std::string& path) {
    return create_folder(path);
}

bool WindowsUndoDisk::copy_in(const std::string& kept, const std::string& path) {
    return create_folders(folder_of(path)) && copy_file_if_absent(kept, path);
}

bool WindowsUndoDisk::remove_file(const std::string& path) {
    return delete_file(path);
}

bool WindowsUndoDisk::copy_tree_in(const std::string& kept, const std::string& path) {
    if (path_taken(path) || !create_folders(path))
        return false;
    copy_tree(kept, path, "*.*", true);
    return same_tree(kept, path);
}

bool WindowsUndoDisk::remove_tree(const std::string& path) {
    return trevalon::remove_tree(path, roots_);
}

bool WindowsUndoDisk::rename(const std::string& from, const std::string& to) {
    return rename_path(without_trailing_separator(from), without_trailing_separator(to));
}

}  // namespace trevalon
