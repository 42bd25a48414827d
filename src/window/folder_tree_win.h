// The folder tree (control 1): a tree view the program fills itself, its
// items addressed by their position in display order.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "window/folder_tree_view_win.h"
#include "window/layout.h"

namespace trevalon {

class FolderTree {
  public:
    // Creates the control: expand buttons and root lines, no connecting
    // lines, the selection kept visible without the focus, a sunken edge.
    bool create(HWND parent, const Rect& rect, int control_id);

    HWND window() const { return tree_; }
    // The items as the folder scan fills them. Every change to the items goes
    // through it, so positions stay known.
    TreeViewFolderTree& items() { return items_; }
    const TreeViewFolderTree& items() const { return items_; }

    void clear() { items_.clear(); }
    int add_item(std::string_view text, int depth) { return items_.add_item(text, depth); }
    int count() const { return items_.item_count(); }
    void set_item_data(int position, std::intptr_t data) { items_.set_item_data(position, data); }

    // Selects the item at position; a position outside the items clears the
    // selection.
    void select(int position);
    // The selected item's position, -1 when none.
    int selected() const;
    std::string selected_text() const { return items_.item_text(selected()); }
    void set_selected_text(std::string_view text) { items_.set_item_text(selected(), text); }
    // The control's handle of the item (null when out of range).
    HTREEITEM item_handle(int position) const { return items_.item_handle(position); }
    // Sets the item's own selected state (item state 1).
    void mark_selected(int position);
    void ensure_visible(int position);

    void expand_all();
    void collapse_all();
    void hide_horizontal_scroll_bar();

    // The names and background, and the selection's while the tree lacks the focus.
    void set_colours(COLORREF text, COLORREF background, COLORREF inactive_background,
                     COLORREF inactive_text);
    void set_font(HFONT font);

    // The answer to the tree's NM_CUSTOMDRAW. The control itself draws the
    // selected item of an unfocused tree in the button face, next to
    // invisible on the tree's light background; it gets a faint form of the
    // system's highlight instead, so the folder shown stays plain to see.
    LRESULT custom_draw(NMTVCUSTOMDRAW& draw) const;

  private:
    HWND tree_ = nullptr;
    TreeViewFolderTree items_{nullptr};
    COLORREF inactive_background_ = RGB(255, 255, 255);
    COLORREF inactive_text_ = RGB(0, 0, 0);
};

}  // namespace trevalon
