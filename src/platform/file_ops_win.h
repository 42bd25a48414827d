// File and folder operations on UTF-8 Windows paths. Failures come back as
// results; callers that skip failed steps silently simply ignore them. A
// name Windows keeps for a device, or one ending in a dot or a blank, is
// reached through the literal path form, so the file on disk is what is
// read, copied, renamed or removed, never a device. Nothing is removed or
// renamed through a link: a link goes as itself, or, where the system only
// opens what it points to (as Wine does), stays.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trevalon {

bool is_directory(std::string_view path);
bool is_file(std::string_view path);

// Creates one folder; true when it exists afterwards.
bool create_folder(std::string_view path);
// Creates the folder with every missing parent; true when it exists afterwards.
bool create_folders(std::string_view path);

// Copies one file, replacing the target even when it is read-only. The copy is
// never read-only: files the program copies are its own to change and delete.
bool copy_file(std::string_view from, std::string_view to);

// Copies one file only when nothing of the target's name exists yet, so an
// existing file is never replaced, not even one that appeared just now.
bool copy_file_if_absent(std::string_view from, std::string_view to);

// Renames (moves) a file or folder; fails when the new name is taken by
// anything but the same item in another letter case.
bool rename_path(std::string_view from, std::string_view to);

// Copies the files of `from` whose names match `pattern` ("*.*", "*.lnk")
// into `to`, keeping their folder structure when `recursive`. Nothing happens
// when `from` is not a folder. Links to other folders (junctions, symbolic
// links) are not followed. Returns the number of files copied.
int copy_tree(std::string_view from, std::string_view to, std::string_view pattern, bool recursive);

// Deletes a file, read-only or not, or a link as itself.
bool delete_file(std::string_view path);
// Removes an empty folder, or a link to a folder as itself.
bool remove_empty_folder(std::string_view path);
// A symbolic link or junction (to a file or a folder), or an item the system
// opens only as what it points to.
bool is_link(std::string_view path);

// Deletes a folder with everything in it, clearing read-only attributes, but
// only when it lies strictly inside one of `allowed_roots` (see
// safe_delete.h). Links inside are removed, never followed, and so is the
// folder itself when it is a link, with or without a closing separator.
// True when the folder is gone afterwards.
bool remove_tree(std::string_view path, std::span<const std::string> allowed_roots);

// The names of the files (not folders) directly inside a folder.
std::vector<std::string> files_in(std::string_view folder);

// Last-modified time as seconds since 1970 UTC.
std::optional<std::int64_t> file_write_time(std::string_view path);
// Sets the last-modified time, in seconds since 1970 UTC.
bool set_file_write_time(std::string_view path, std::int64_t seconds);

// The size of a file; nothing when it cannot be examined or is a folder.
std::optional<std::uint64_t> file_size(std::string_view path);

// Creates an empty file only when nothing of that name exists.
bool create_new_file(std::string_view path);

// The whole file, or nothing when it cannot be read or exceeds `limit` bytes.
std::optional<std::string> read_file(std::string_view path, std::size_t limit = 16u << 20);

// Hands the file to `take` piece by piece, of any size; false when any part
// of it could not be read.
bool read_in_pieces(std::string_view path, const std::function<void(std::string_view)>& take);

// Whether two files hold the same bytes, read piece by piece, of any size.
// A file that cannot be read whole equals nothing.
bool same_file_bytes(std::string_view a, std::string_view b);

// Creates or replaces a file with the content in place.
bool write_file(std::string_view path, std::string_view content);

// Replaces a file so that a crash or a full disk midway leaves the old file
// whole: the content goes to a new file beside it, is flushed to the disk and
// then renamed over the old one in one step. On failure the old file is
// untouched and the new one removed.
bool write_file_atomically(std::string_view path, std::string_view content);

}  // namespace trevalon
