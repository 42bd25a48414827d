// The folder tree behind a standard tree-view control. Items are added in
// display order, so the adapter keeps their handles by position; every change
// to the control's items must go through it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "menu/folder_views.h"

namespace trevalon {

class TreeViewFolderTree final : public FolderTreeSink {
  public:
    explicit TreeViewFolderTree(HWND tree) : tree_(tree) {}

    void clear() override;
    // A depth more than one below the last item is taken as one below it.
    int add_item(std::string_view text, int depth) override;
    int item_count() const override { return static_cast<int>(items_.size()); }
    void set_item_data(int position, std::intptr_t data) override;
    std::intptr_t item_data(int position) const override;
    void set_item_text(int position, std::string_view text) override;
    std::string item_text(int position) const override;
    int item_depth(int position) const override;

    HWND window() const { return tree_; }
    // The control's handle of the item at position (null when out of range)
    // and the position of a handle (-1 when unknown).
    HTREEITEM item_handle(int position) const;
    int position_of(HTREEITEM item) const;

  private:
    struct Item {
        HTREEITEM handle;
        int depth;
    };
    bool valid(int position) const { return position >= 0 && position < item_count(); }

    HWND tree_;
    std::vector<Item> items_;
    std::vector<HTREEITEM> last_at_depth_;  // the parent for the next item one level deeper
};

}  // namespace trevalon
