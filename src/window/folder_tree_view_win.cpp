#include "window/folder_tree_view_win.h"

#include <algorithm>

#include "platform/wide_win.h"

namespace trevalon {

void TreeViewFolderTree::clear() {
    SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    items_.clear();
    last_at_depth_.clear();
}

int TreeViewFolderTree::add_item(std::string_view text, int depth) {
    depth = std::clamp(depth, 0, static_cast<int>(last_at_depth_.size()));
    std::wstring wide = utf8_to_wide(text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = depth == 0 ? TVI_ROOT : last_at_depth_[static_cast<std::size_t>(depth) - 1];
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = wide.data();
    insert.item.lParam = 0;
    const auto handle = reinterpret_cast<HTREEITEM>(
        SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (!handle)
        return -1;
    items_.push_back({handle, depth});
    last_at_depth_.resize(static_cast<std::size_t>(depth) + 1);
    last_at_depth_.back() = handle;
    return item_count() - 1;
}

void TreeViewFolderTree::set_item_data(int position, std::intptr_t data) {
    if (!valid(position))
        return;
    TVITEMW item{};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = item_handle(position);
    item.lParam = data;
    SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

std::intptr_t TreeViewFolderTree::item_data(int position) const {
    if (!valid(position))
        return 0;
    TVITEMW item{};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = item_handle(position);
    SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

void TreeViewFolderTree::set_item_text(int position, std::string_view text) {
    if (!valid(position))
        return;
    std::wstring wide = utf8_to_wide(text);
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = item_handle(position);
    item.pszText = wide.data();
    SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

std::string TreeViewFolderTree::item_text(int position) const {
    if (!valid(position))
        return {};
    // Folder names are at most 255 characters; the caption of item 0 is longer.
    std::wstring buffer(4096, L'\0');
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = item_handle(position);
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    if (!SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)))
        return {};
    buffer.resize(wcsnlen(buffer.c_str(), buffer.size()));
    return wide_to_utf8(buffer);
}

int TreeViewFolderTree::item_depth(int position) const {
    return valid(position) ? items_[static_cast<std::size_t>(position)].depth : -1;
}

HTREEITEM TreeViewFolderTree::item_handle(int position) const {
    return valid(position) ? items_[static_cast<std::size_t>(position)].handle : nullptr;
}

int TreeViewFolderTree::position_of(HTREEITEM item) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].handle == item)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace trevalon
