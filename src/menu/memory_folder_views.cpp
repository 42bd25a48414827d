#include "menu/memory_folder_views.h"

#include "menu/directory_listing.h"

namespace trevalon {

int MemoryFolderTree::add_item(std::string_view text, int depth) {
    // Records the depth asked for, so tests see exactly what the caller meant.
    items_.push_back({std::string(text), depth, 0});
    return item_count() - 1;
}

void MemoryFolderTree::set_item_data(int position, std::intptr_t data) {
    if (valid(position))
        items_[static_cast<std::size_t>(position)].data = data;
}

std::intptr_t MemoryFolderTree::item_data(int position) const {
    return valid(position) ? items_[static_cast<std::size_t>(position)].data : 0;
}

void MemoryFolderTree::set_item_text(int position, std::string_view text) {
    if (valid(position))
        items_[static_cast<std::size_t>(position)].text = text;
}

std::string MemoryFolderTree::item_text(int position) const {
    return valid(position) ? items_[static_cast<std::size_t>(position)].text : std::string();
}

int MemoryFolderTree::item_depth(int position) const {
    return valid(position) ? items_[static_cast<std::size_t>(position)].depth : -1;
}

bool MemoryFileList::show_folder(std::string_view folder) {
    rows_.clear();
    const auto entries = list_directory(folder);
    if (!entries)
        return false;
    for (const DirectoryEntry& entry : *entries) {
        if (!entry.is_directory)
            rows_.push_back(entry.name);
    }
    return true;
}

std::string MemoryFileList::row_text(int row) const {
    return valid(row) ? rows_[static_cast<std::size_t>(row)] : std::string();
}

void MemoryFileList::remove_row(int row) {
    if (valid(row))
        rows_.erase(rows_.begin() + row);
}

void MemoryFileList::set_row_text(int row, std::string_view text) {
    if (valid(row))
        rows_[static_cast<std::size_t>(row)] = text;
}

}  // namespace trevalon
