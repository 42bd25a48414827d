// A folder kept as the merge of several source trees, each copied over the
// ones before it (the Windows menu: the common programs, then the user's).
// Instead of deleting the copy and copying everything again, the plan here
// brings the copy up to date from listings: it says what to remove, which
// folders to make and which files to copy so that the copy ends up holding
// exactly what a fresh copy of the trees would hold, names and bytes.
//
// Paths are relative to their tree's root, their parts joined by a
// backslash on every platform; names compare without regard to letter case,
// as the Windows file systems compare them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trevalon {

inline constexpr char kTreePathSeparator = '\\';

// The attribute bit of a read-only file (the other bits a copy carries over,
// hidden and system, are only compared).
inline constexpr std::uint32_t kReadOnlyAttribute = 0x1;

// One file or folder of a listed tree.
struct TreeItem {
    std::string path;
    bool is_folder = false;
    std::uint64_t size = 0;        // files only
    std::int64_t modified = 0;     // last write, in the file system's own units
    std::uint32_t attributes = 0;  // read-only, hidden, system
};
// Every folder comes before the items inside it.
using TreeListing = std::vector<TreeItem>;

// One item of the copy and the source item it was copied from.
struct CopyItem {
    std::string path;  // in the copy
    // In its source tree, when the letter case there differs from path's
    // (empty when it is path): see from_path().
    std::string source_path;
    std::size_t source = 0;  // index of the source tree
    bool is_folder = false;
    std::uint64_t size = 0;  // of the source file when it was copied
    std::int64_t modified = 0;
    std::uint32_t attributes = 0;
    // False for a file that is there but whose content nobody vouches for.
    bool known = true;
    // The path as the file system compares it (upper-cased UTF-16); filled
    // by merge_trees and take_folder_files.
    std::u16string key;

    const std::string& from_path() const { return source_path.empty() ? path : source_path; }
    bool operator==(const CopyItem&) const = default;
};
// Every folder comes before the items inside it.
using CopyContents = std::vector<CopyItem>;

// What copying the trees one after the other into an empty folder gives,
// with the rules of the file system: an item keeps the name it was first
// made with (a later tree's "ACCESSORIES\calc.LNK" lands in the existing
// "Accessories\Calc.lnk"); a later file replaces an earlier one's content;
// where one tree has a file and a later one a folder of the same name (or
// the reverse) the first stays and the later one, with all inside it, is
// left out.
CopyContents merge_trees(std::span<const TreeListing> sources);

struct CopyRemoval {
    std::string path;
    bool is_folder = false;  // a folder goes with everything inside it
};

struct FileCopy {
    std::size_t source = 0;
    std::string from;  // in the source tree
    std::string to;    // in the copy
    // The copy must end up writable: the source is read-only, or the file it
    // replaces is not one the program made (and may be read-only).
    bool clear_read_only = false;
};

// Carried out in this order: removals, new folders (parents first), copies.
struct CopySyncPlan {
    std::vector<CopyRemoval> removals;
    std::vector<std::string> new_folders;
    std::vector<FileCopy> copies;

    std::size_t steps() const { return removals.size() + new_folders.size() + copies.size(); }
};

// The steps that turn a copy holding `held` into one holding `wanted`. A
// file is copied when it is new, when it comes from another tree than
// before, when its source's size, modification time or attributes differ
// from those it was copied with, or when nobody vouches for it; what wanted
// lacks, or holds under another letter case or as the other kind, is
// removed first.
CopySyncPlan plan_copy_sync(const CopyContents& wanted, const CopyContents& held);

// After the files directly in one folder of the copy were changed (and
// nothing else): replaces held's files of that folder ("" for the copy's
// root) by the files now there (its listing, paths relative to the copy's
// root), none of them vouched for. False, and held
// untouched, when the folders now there are not exactly the ones held.
bool take_folder_files(CopyContents& held, std::string_view folder,
                       std::span<const TreeItem> now_there);

// The folder part of a tree path ("" for an item directly in the root).
std::string_view tree_parent(std::string_view path);

}  // namespace trevalon
