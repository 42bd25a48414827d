#include "commands/disk_steps.h"

#include "commands/import_plan.h"
#include "menu/free_name.h"
#include "menu/path_text.h"
#include "platform/safe_delete.h"

namespace trevalon {
namespace {

// Deeper than any menu a person makes; a deeper tree (or a loop the disk
// does not show as a link) is not walked further.
constexpr int kDeepest = 64;
// Numbered names tried for a staged copy before giving up.
constexpr int kStagingNames = 1000;

bool is_folder(PathState state) {
    return state == PathState::folder || state == PathState::empty_folder;
}

// A free name in the staging folder; empty when there is none.
std::string staging_path(FileDisk& disk, const Staging& staging, const std::string& tail) {
    if (staging.folder.empty() || !own_folder_ready(disk, staging.folder, staging.base))
        return {};
    const std::string folder = with_trailing_separator(staging.folder);
    for (int n = 1; n <= kStagingNames; ++n) {
        std::string candidate = folder + "copy-" + std::to_string(n) + tail;
        if (disk.state(candidate) == PathState::missing)
            return candidate;
    }
    return {};
}

// Where the path's part that starts at `from` ends: its next separator, or
// the path's end.
std::size_t next_separator(const std::string& path, std::size_t from) {
    for (std::size_t at = from; at < path.size(); ++at) {
        if (is_path_separator(path[at]))
            return at;
    }
    return path.size();
}

// Puts a whole staged file in place; on failure the staged file goes.
bool place_staged(FileDisk& disk, const std::string& staged, const std::string& to) {
    if (disk.rename(staged, to))
        return true;
    disk.remove_file(staged);
    return false;
}

bool remove_tree_below(FileDisk& disk, const std::string& folder, int depth) {
    if (depth > kDeepest)
        return false;
    const std::string inside = with_trailing_separator(folder);
    if (const auto entries = disk.list(inside)) {
        for (const DirectoryEntry& entry : *entries) {
            const std::string path = inside + entry.name;
            if (entry.is_directory && !entry.is_link && !disk.is_link(path)) {
                remove_tree_below(disk, path, depth + 1);
            } else if (entry.is_directory) {
                disk.remove_folder(path);
            } else {
                disk.remove_file(path);
            }
        }
    }
    disk.remove_folder(without_trailing_separator(folder));
    return disk.state(without_trailing_separator(folder)) == PathState::missing;
}

bool copy_tree_below(FileDisk& disk, const std::string& from, const std::string& to,
                     const Staging& staging, int depth) {
    if (depth > kDeepest || !disk.make_folder(without_trailing_separator(to)))
        return false;
    const auto entries = disk.list(with_trailing_separator(from));
    if (!entries)
        return false;
    bool whole = true;
    for (const DirectoryEntry& entry : *entries) {
        const std::string source = with_trailing_separator(from) + entry.name;
        const std::string target = with_trailing_separator(to) + entry.name;
        if (entry.is_link || disk.is_link(source))
            continue;
        whole = (entry.is_directory ? copy_tree_below(disk, source, target, staging, depth + 1)
                                    : copy_whole(disk, source, target, staging)) &&
                whole;
    }
    return whole;
}

bool same_tree_below(const FileDisk& disk, const std::string& a, const std::string& b, int depth) {
    if (depth > kDeepest)
        return false;
    const auto left = disk.list(with_trailing_separator(a));
    const auto right = disk.list(with_trailing_separator(b));
    if (!left || !right)
        return false;
    std::vector<const DirectoryEntry*> kept;
    for (const DirectoryEntry& entry : *left) {
        if (!entry.is_link && !disk.is_link(with_trailing_separator(a) + entry.name))
            kept.push_back(&entry);
    }
    if (kept.size() != right->size())
        return false;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const DirectoryEntry& one = *kept[i];
        const DirectoryEntry& other = (*right)[i];
        const std::string path_a = with_trailing_separator(a) + one.name;
        const std::string path_b = with_trailing_separator(b) + other.name;
        if (one.name != other.name || one.is_directory != other.is_directory)
            return false;
        const bool same = one.is_directory ? same_tree_below(disk, path_a, path_b, depth + 1)
                                           : disk.same_bytes(path_a, path_b);
        if (!same)
            return false;
    }
    return true;
}

}  // namespace

bool taken(const FileDisk& disk, const std::string& path) {
    return disk.state(path) != PathState::missing;
}

std::optional<std::string> free_name_on(const FileDisk& disk, const std::string& path) {
    return free_name(path, [&](const std::string& candidate) { return taken(disk, candidate); });
}

bool make_folders(FileDisk& disk, const std::string& folder) {
    const std::string path = without_trailing_separator(folder);
    if (path.empty())
        return false;
    if (is_folder(disk.state(path)))
        return true;
    // Every missing level from the first one down; the drive or share does
    // not count.
    for (std::size_t at = next_separator(path, 0); at < path.size();
         at = next_separator(path, at + 1)) {
        const std::string level = path.substr(0, at);
        if (!level.empty() && level.back() != ':' && disk.state(level) == PathState::missing)
            disk.make_folder(level);
    }
    disk.make_folder(path);
    return is_folder(disk.state(path));
}

bool own_folder_ready(FileDisk& disk, const std::string& folder, const std::string& base) {
    const std::string path = without_trailing_separator(folder);
    const std::string below = with_trailing_separator(base);
    if (base.empty() || !path_is_inside(path, below) || !make_folders(disk, base))
        return false;
    // Each level below the base, from the top down.
    std::size_t end = below.size();
    for (int level = 0; level <= kDeepest; ++level) {
        end = next_separator(path, end);
        const std::string part = path.substr(0, end);
        if (disk.is_link(part) && !disk.remove_folder(part) && !disk.remove_file(part))
            return false;
        if (disk.state(part) == PathState::missing)
            disk.make_folder(part);
        if (!is_folder(disk.state(part)) || disk.is_link(part))
            return false;
        if (end == path.size())
            return true;
        ++end;
    }
    return false;
}

bool copy_whole(FileDisk& disk, const std::string& from, const std::string& to,
                const Staging& staging) {
    if (taken(disk, to))
        return false;
    const std::string staged = staging_path(disk, staging, "");
    if (!staged.empty() && disk.copy_file(from, staged)) {
        if (!disk.same_bytes(from, staged)) {
            disk.remove_file(staged);
            return false;
        }
        if (disk.rename(staged, to))
            return true;
        disk.remove_file(staged);
        if (taken(disk, to))
            return false;
    }
    // No staging, or it lies on another drive: the copy itself.
    if (!disk.copy_file(from, to))
        return false;
    if (disk.same_bytes(from, to))
        return true;
    disk.remove_file(to);
    return false;
}

bool make_link_whole(FileDisk& disk, const ShortcutContents& contents, const Staging& staging) {
    if (taken(disk, contents.link_file))
        return false;
    ShortcutContents staged = contents;
    staged.link_file = staging_path(disk, staging, ".lnk");
    if (!staged.link_file.empty() && disk.make_link(staged)) {
        if (place_staged(disk, staged.link_file, contents.link_file))
            return true;
        if (taken(disk, contents.link_file))
            return false;
    }
    return disk.make_link(contents);
}

bool remove_tree(FileDisk& disk, const std::string& folder, std::span<const std::string> roots) {
    if (!may_delete_tree(folder, roots))
        return false;
    const std::string path = without_trailing_separator(folder);
    const PathState state = disk.state(path);
    if (state == PathState::missing)
        return true;
    if (disk.is_link(path))
        return disk.remove_folder(path) || disk.remove_file(path);
    if (!is_folder(state))
        return false;
    return remove_tree_below(disk, path, 0);
}

bool copy_tree(FileDisk& disk, const std::string& from, const std::string& to,
               const Staging& staging) {
    if (!is_folder(disk.state(without_trailing_separator(from))) || taken(disk, to))
        return false;
    return copy_tree_below(disk, from, to, staging, 0);
}

bool same_tree(const FileDisk& disk, const std::string& a, const std::string& b) {
    return is_folder(disk.state(without_trailing_separator(a))) &&
           is_folder(disk.state(without_trailing_separator(b))) && same_tree_below(disk, a, b, 0);
}

bool move_item(FileDisk& disk, const std::string& from, const std::string& to,
               const Staging& staging, std::span<const std::string> roots) {
    if (taken(disk, to) || disk.is_link(from))
        return false;
    if (disk.rename(from, to))
        return true;
    if (disk.state(from) == PathState::file) {
        return copy_whole(disk, from, to, staging) && disk.remove_file(from);
    }
    if (!copy_tree(disk, from, to, staging) || !same_tree(disk, from, to))
        return false;
    return remove_tree(disk, from, roots);
}

}  // namespace trevalon
