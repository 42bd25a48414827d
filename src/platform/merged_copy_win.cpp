#include "platform/merged_copy_win.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <set>
#include <unordered_map>
#include <utility>

#include "menu/program_folders.h"
#include "menu/unicode_text.h"
#include "platform/file_ops_win.h"
#include "platform/folder_entries_win.h"
#include "platform/handles_win.h"
#include "platform/safe_delete.h"
#include "platform/wide_win.h"

namespace trevalon {
namespace {

// The attributes a copy carries over that the plan compares.
constexpr DWORD kCompared = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Lists one folder (wide path ending in "\") into items, and the folders
// found into `below` for the caller to list next.
void list_one(const std::wstring& folder, const std::string& relative, TreeListing& items,
              std::vector<std::pair<std::wstring, std::string>>* below) {
    for_each_folder_entry(folder, [&](const WIN32_FIND_DATAW& entry) {
        const bool is_folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (is_folder && (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            return;
        TreeItem item;
        // The portable conversion: no system call per name.
        const std::string name =
            utf16_to_utf8(std::u16string_view(reinterpret_cast<const char16_t*>(entry.cFileName)));
        if (relative.empty()) {
            item.path = name;
        } else {
            item.path.reserve(relative.size() + 1 + name.size());
            item.path.append(relative).append(1, kTreePathSeparator).append(name);
        }
        item.is_folder = is_folder;
        if (!is_folder) {
            item.size =
                (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        }
        item.modified = static_cast<std::int64_t>(
            (static_cast<std::uint64_t>(entry.ftLastWriteTime.dwHighDateTime) << 32) |
            entry.ftLastWriteTime.dwLowDateTime);
        item.attributes = entry.dwFileAttributes & kCompared;
        if (is_folder && below)
            below->emplace_back(folder + entry.cFileName + L"\\", item.path);
        items.push_back(std::move(item));
    });
}

void make_writable(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

// Copies over whatever is there; a read-only target refuses on some systems
// and is made writable for a second try.
bool copy_file_over(const std::wstring& from, const std::wstring& to, bool clear_read_only) {
    if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) {
        make_writable(to);
        if (!CopyFileW(from.c_str(), to.c_str(), FALSE))
            return false;
        clear_read_only = true;
    }
    if (clear_read_only)
        make_writable(to);
    return true;
}

std::string in_tree(std::string_view root, std::string_view relative) {
    return with_backslash(root) + std::string(relative);
}

}  // namespace

TreeListing list_tree(std::string_view root) {
    TreeListing items;
    if (root.empty())
        return items;
    std::vector<std::pair<std::wstring, std::string>> pending;
    // In the literal form, so a name Windows reads as a device is listed as
    // the file it is.
    pending.emplace_back(literal_path_wide(with_backslash(root)), std::string());
    while (!pending.empty()) {
        auto [folder, relative] = std::move(pending.back());
        pending.pop_back();
        const std::size_t first_new = pending.size();
        list_one(folder, relative, items, &pending);
        // Taken from the back: reversed, the folders are listed in the order found.
        std::reverse(pending.begin() + static_cast<std::ptrdiff_t>(first_new), pending.end());
    }
    return items;
}

TreeListing list_tree_folder(std::string_view root, std::string_view folder) {
    TreeListing items;
    if (root.empty())
        return items;
    const std::string relative(folder);
    list_one(literal_path_wide(with_backslash(in_tree(root, relative))), relative, items, nullptr);
    return items;
}

bool apply_copy_plan(const CopySyncPlan& plan, std::span<const std::string> sources,
                     std::string_view copy, std::span<const std::string> allowed_roots) {
    bool all_done = true;
    for (const CopyRemoval& removal : plan.removals) {
        const std::string path = in_tree(copy, removal.path);
        const bool gone = removal.is_folder ? remove_tree(path, allowed_roots) : delete_file(path);
        all_done = gone && all_done;
    }
    for (const std::string& folder : plan.new_folders) {
        const std::wstring path = file_path_wide(in_tree(copy, folder));
        all_done = CreateDirectoryW(path.c_str(), nullptr) && all_done;
    }
    const std::string base = with_backslash(copy);
    for (const FileCopy& step : plan.copies) {
        if (step.source >= sources.size()) {
            all_done = false;
            continue;
        }
        const bool copied = copy_file_over(file_path_wide(in_tree(sources[step.source], step.from)),
                                           file_path_wide(base + step.to), step.clear_read_only);
        all_done = copied && all_done;
    }
    return all_done;
}

CopyUpdate MergedCopyFolder::bring_up_to_date(const std::string& copy,
                                              const std::vector<std::string>& sources,
                                              std::span<const std::string> allowed_roots) {
    CopyUpdate update;
    if (!may_delete_tree(copy, allowed_roots))
        return update;
    std::vector<TreeListing> listings;
    listings.reserve(sources.size());
    for (const std::string& source : sources)
        listings.push_back(list_tree(source));
    CopyContents wanted = merge_trees(listings);
    listings = {};  // what a switch holds at once stays small

    // What the copy holds, when that is known for sure: the last update
    // finished, nobody else changed the copy since, and the files the
    // program itself changed are looked at again.
    bool known = held_valid_ && copy == copy_ && sources == sources_ && !watches_.any_changed() &&
                 is_directory(copy);
    CopyContents held = std::exchange(held_, {});
    held_valid_ = false;
    for (const std::string& folder : changed_by_us_) {
        if (known && !take_folder_files(held, folder, list_tree_folder(copy, folder)))
            known = false;
    }
    changed_by_us_.clear();
    copy_ = copy;
    sources_ = sources;

    bool all_done = true;
    if (!known) {
        held.clear();
        watches_.stop_all();
        all_done = remove_tree(copy, allowed_roots);
        if (!create_folders(copy))
            return update;
        update.made_afresh = true;
    }

    const CopySyncPlan plan = plan_copy_sync(wanted, held);
    for (const CopyRemoval& removal : plan.removals) {
        if (removal.is_folder)
            watches_.stop(removal.path);
    }
    all_done = apply_copy_plan(plan, sources, copy, allowed_roots) && all_done;

    // Watch what the update touched again (its own changes set the
    // notifications off), and the new folders.
    if (update.made_afresh) {
        watch_folder("");
        for (const CopyItem& item : wanted) {
            if (item.is_folder)
                watch_folder(item.path);
        }
    } else {
        std::set<std::string, std::less<>> touched;
        for (const CopyRemoval& removal : plan.removals)
            touched.emplace(tree_parent(removal.path));
        for (const std::string& folder : plan.new_folders) {
            touched.emplace(tree_parent(folder));
            touched.insert(folder);
        }
        for (const FileCopy& step : plan.copies)
            touched.emplace(tree_parent(step.to));
        for (const std::string& folder : touched)
            watch_folder(folder);
    }

    update.done = all_done;
    update.steps = plan.steps();
    // With nothing changed the older of the two equal lists is kept: it was
    // allocated before this update, so all the update allocated is freed
    // together. Keeping the newer one would leave it scattered amid the
    // freed memory; the next update's lists would no longer fit the gaps,
    // and the resident program's heap would grow with every switch.
    held_ = known && all_done && held == wanted ? std::move(held) : std::move(wanted);
    held_valid_ = all_done;
    return update;
}

void MergedCopyFolder::watch_folder(const std::string& relative) {
    watches_.watch(relative, in_tree(copy_, relative));
}

std::optional<std::string> MergedCopyFolder::relative_folder(std::string_view folder) const {
    const std::string path = with_backslash(folder);
    if (copy_.empty() || !path.starts_with(copy_))
        return std::nullopt;
    std::string relative = path.substr(copy_.size());
    if (!relative.empty())
        relative.pop_back();
    return relative;
}

void MergedCopyFolder::note_files_changed(std::string_view folder) {
    const auto relative = relative_folder(folder);
    if (!held_valid_ || !relative)
        return;
    const bool held_folder =
        relative->empty() || std::any_of(held_.begin(), held_.end(), [&](const CopyItem& item) {
            return item.is_folder && item.path == *relative;
        });
    if (!held_folder)
        return;
    // Its notification went off for the program's own change; the files get
    // looked at in the next update instead.
    watch_folder(*relative);
    if (std::find(changed_by_us_.begin(), changed_by_us_.end(), *relative) == changed_by_us_.end())
        changed_by_us_.push_back(*relative);
}

void MergedCopyFolder::forget() {
    watches_.stop_all();
    held_.clear();
    held_valid_ = false;
    changed_by_us_.clear();
}

std::optional<FolderLister> MergedCopyFolder::known_lister() {
    if (!held_valid_ || !changed_by_us_.empty() || watches_.any_changed())
        return std::nullopt;
    // Each folder's items, by the folder's path relative to the copy.
    auto folders = std::make_shared<std::unordered_map<std::string, std::vector<DirectoryEntry>>>();
    (*folders)[""];
    for (const CopyItem& item : held_) {
        const std::string_view parent = tree_parent(item.path);
        DirectoryEntry entry;
        entry.name = item.path.substr(parent.empty() ? 0 : parent.size() + 1);
        entry.is_directory = item.is_folder;
        (*folders)[std::string(parent)].push_back(std::move(entry));
        if (item.is_folder)
            (*folders)[item.path];
    }
    for (auto& [path, entries] : *folders)
        sort_entries(entries);
    return [this, folders](std::string_view folder) -> std::optional<std::vector<DirectoryEntry>> {
        const auto relative = relative_folder(folder);
        const auto at = relative ? folders->find(*relative) : folders->end();
        if (at == folders->end())
            return std::nullopt;
        return at->second;
    };
}

}  // namespace trevalon
