// One listing of a folder's files and subfolders, in the order NTFS gives
// them: ordinal comparison of the upper-cased UTF-16 names. On NTFS that
// order is what the system returns anyway; under Wine on ext4, on FAT or on
// network drives it keeps menus in name order instead of the file system's
// hash or creation order, so the program's menus look the same everywhere.
// The folder scan, the menu search and the file list all list folders here.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trevalon {

struct DirectoryEntry {
    std::string name;  // UTF-8, without the folder
    bool is_directory = false;
    bool is_link = false;  // a symbolic link (to a file or a folder)
    // Filled only with ListingDetail::full.
    bool read_only = false;
    std::uintmax_t size = 0;  // 0 for folders
    std::filesystem::file_time_type modified{};
};

enum class ListingDetail {
    kinds,  // names and whether each is a folder: all the scan and search need
    full,   // also read-only flag, size and modification time
};

// The entries of the folder ("." and ".." never appear), hidden and system
// files included; nothing when the folder cannot be opened. An entry that
// vanishes while it is being listed is left out.
std::optional<std::vector<DirectoryEntry>> list_directory(
    std::string_view folder, ListingDetail detail = ListingDetail::kinds);

// Where the scan and the search get their listings from: list_directory in
// the program, a model of a folder tree in tests and benchmarks.
using FolderLister =
    std::function<std::optional<std::vector<DirectoryEntry>>(std::string_view folder)>;
std::optional<std::vector<DirectoryEntry>> list_directory_kinds(std::string_view folder);

// Puts entries into the order list_directory returns.
void sort_entries(std::vector<DirectoryEntry>& entries);

// The order list_directory returns: true when a comes before b.
bool ntfs_name_less(std::string_view a, std::string_view b);

}  // namespace trevalon
