// The names below one menu folder, kept in memory so that a search as the
// user types needs no disk: every file and folder in the order the menu
// search walks them, brought up to date folder by folder when the disk
// changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "menu/directory_listing.h"
#include "menu/text_fold.h"

namespace trevalon {

struct IndexedFolder;

// Lists a folder with sizes: what the index needs to tell empty files apart.
std::optional<std::vector<DirectoryEntry>> list_directory_full(std::string_view folder);

struct IndexedEntry {
    std::string name;
    std::u16string key;  // the upper-cased UTF-16 name: what the search command compares
    SearchKey search;    // the folded name with its words: what a live search compares
    bool is_folder = false;
    bool is_link = false;      // a folder or file that is a symbolic link
    bool has_content = false;  // a file of at least one byte
    // The folder's own entries; null for files and for folders the walk does
    // not enter (a link back to a folder it is inside).
    std::unique_ptr<IndexedFolder> folder;
};

struct IndexedFolder {
    IndexedFolder() = default;
    // Frees the folders below one by one: a tree of any depth never recurses.
    ~IndexedFolder();
    IndexedFolder(const IndexedFolder&) = delete;
    IndexedFolder& operator=(const IndexedFolder&) = delete;

    std::vector<IndexedEntry> entries;  // in listing order, files and folders mixed
};

class RootIndex {
  public:
    // root: the menu folder, with or without its trailing separator. lister
    // must give sizes (ListingDetail::full) for has_content to be right.
    explicit RootIndex(std::string_view root, FolderLister lister = list_directory_full);

    const std::string& root() const { return root_; }  // ends in the separator
    const IndexedFolder& top() const { return top_; }
    std::size_t file_count() const { return files_; }
    std::size_t folder_count() const { return folders_; }
    // Changes whenever the index does: what was found in it before may be
    // reused only while it stays the same.
    std::uint64_t version() const { return version_; }

    // Walks the whole root afresh.
    void rebuild();

    // Something changed at path (relative to the root, as change
    // notifications name it): the nearest folder of the index that holds it
    // is listed again; new folders in it are walked, vanished ones dropped.
    // A new folder that is a link is not followed piecemeal: the whole root
    // is walked again, so links back up are treated as the full walk treats
    // them.
    void refresh(std::string_view relative_path);

    // Calls found(folder, entry) for every file whose key contains needle (an
    // upper-cased UTF-16 text), in walk order; folder ends in the separator.
    using FileVisitor = std::function<void(const std::string& folder, const IndexedEntry& entry)>;
    void find(std::u16string_view needle, const FileVisitor& found) const;

    // Every file with its folder, in walk order (tests and checks).
    void for_each_file(const FileVisitor& visit) const;

    // The walk with its folders: enter(parent, folder, path) is called for
    // each folder the walk goes into (path ends in the separator) and
    // answers the number its files and folders are reported under; the
    // root's own number is `top`. visit(number, file) for each file.
    using FolderEnter = std::function<std::size_t(std::size_t parent, const IndexedEntry& folder,
                                                  const std::string& path)>;
    using FileInFolder = std::function<void(std::size_t folder, const IndexedEntry& file)>;
    void walk(std::size_t top, const FolderEnter& enter, const FileInFolder& visit) const;

    // What the index holds in memory, roughly: entries, names, keys, folders.
    std::size_t approximate_bytes() const;

  private:
    // Lists folder again into node; false when the walk of a new subfolder
    // met a folder link, so the root must be walked whole.
    bool relist(IndexedFolder& node, const std::string& folder);
    void count();

    std::string root_;
    FolderLister lister_;
    IndexedFolder top_;
    std::size_t files_ = 0;
    std::size_t folders_ = 0;
    std::uint64_t version_ = 0;
};

}  // namespace trevalon
