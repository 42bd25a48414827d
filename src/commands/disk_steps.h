// The steps every edit is built from, on a FileDisk: each leaves the disk so
// that a run ending at any point loses nothing. A new file appears whole or
// not at all (it is made in a staging folder of the program's own and then
// renamed into place); trees are removed without following a link; every
// loop has a bound.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "commands/file_disk.h"

namespace trevalon {

// Whether anything might be at path (a path that cannot be examined counts).
bool taken(const FileDisk& disk, const std::string& path);
// The free-name rule on the disk: path itself or the first free "name (n)".
std::optional<std::string> free_name_on(const FileDisk& disk, const std::string& path);

// Makes the folder and every missing folder above it; true when it is a
// folder afterwards.
bool make_folders(FileDisk& disk, const std::string& folder);

// A folder of the program's own below `base` (its data folder), ready to be
// written into: made if missing. A link standing in its place or in the
// place of a folder between it and `base` is removed as a link; when that
// cannot be done (or a file is there), false: nothing the program writes
// may land where such a link points.
bool own_folder_ready(FileDisk& disk, const std::string& folder, const std::string& base);

// Where whole copies are made first: a folder of the program's own and the
// data folder it lies in.
struct Staging {
    std::string folder;
    std::string base;
};

// Copies `from` to the free path `to` so that `to` appears whole or not at
// all: copied into the staging folder, compared
// byte for byte, then renamed into place. Where the rename cannot be done
// (another drive, no staging folder) the copy is made at `to` itself and
// compared; a copy that differs is removed again. True when `to` holds the
// bytes of `from`.
bool copy_whole(FileDisk& disk, const std::string& from, const std::string& to,
                const Staging& staging);
// The same for a new shell link saved at contents.link_file.
bool make_link_whole(FileDisk& disk, const ShortcutContents& contents, const Staging& staging);

// Removes the folder with everything in it, only strictly inside one of
// `roots`. Links inside it, and the folder itself when it is a link, are
// removed as links, never followed. True when nothing is left at the path.
bool remove_tree(FileDisk& disk, const std::string& folder, std::span<const std::string> roots);

// Copies a folder tree to the free path `to`, every file whole; links are
// left out. True when every file and folder was copied.
bool copy_tree(FileDisk& disk, const std::string& from, const std::string& to,
               const Staging& staging);

// Whether two trees hold the same folders and files with the same bytes
// (links left out).
bool same_tree(const FileDisk& disk, const std::string& a, const std::string& b);

// Moves a file or a folder tree to the free path `to`: renamed in one step
// where the disk allows it, else copied whole and then removed (a tree only
// strictly inside `roots`). True when it is at `to` and gone from `from`.
bool move_item(FileDisk& disk, const std::string& from, const std::string& to,
               const Staging& staging, std::span<const std::string> roots);

}  // namespace trevalon
