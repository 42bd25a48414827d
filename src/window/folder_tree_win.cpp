#include "window/folder_tree_win.h"

namespace trevalon {

bool FolderTree::create(HWND parent, const Rect& rect, int control_id) {
    tree_ = CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
        rect.x, rect.y, rect.width, rect.height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_id)), GetModuleHandleW(nullptr),
        nullptr);
    if (!tree_)
        return false;
    SendMessageW(tree_, TVM_SETEXTENDEDSTYLE, TVS_EX_DOUBLEBUFFER, TVS_EX_DOUBLEBUFFER);
    items_ = TreeViewFolderTree(tree_);
    return true;
}

void FolderTree::select(int position) {
    SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET,
                 reinterpret_cast<LPARAM>(items_.item_handle(position)));
}

int FolderTree::selected() const {
    if (!tree_)
        return -1;
    const auto item =
        reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
    return item ? items_.position_of(item) : -1;
}

void FolderTree::mark_selected(int position) {
    HTREEITEM handle = items_.item_handle(position);
    if (!handle)
        return;
    TVITEMW item{};
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = handle;
    item.state = TVIS_SELECTED;
    item.stateMask = TVIS_SELECTED;
    SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void FolderTree::ensure_visible(int position) {
    if (HTREEITEM handle = items_.item_handle(position))
        SendMessageW(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(handle));
}

void FolderTree::expand_all() {
    for (int position = 0; position < count(); ++position) {
        SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND,
                     reinterpret_cast<LPARAM>(items_.item_handle(position)));
    }
}

void FolderTree::collapse_all() {
    for (int position = 0; position < count(); ++position) {
        SendMessageW(tree_, TVM_EXPAND, TVE_COLLAPSE,
                     reinterpret_cast<LPARAM>(items_.item_handle(position)));
    }
}

void FolderTree::hide_horizontal_scroll_bar() {
    if (tree_)
        ShowScrollBar(tree_, SB_HORZ, FALSE);
}

void FolderTree::set_colours(COLORREF text, COLORREF background, COLORREF inactive_background,
                             COLORREF inactive_text) {
    inactive_background_ = inactive_background;
    inactive_text_ = inactive_text;
    SendMessageW(tree_, TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(text));
    SendMessageW(tree_, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
}

LRESULT FolderTree::custom_draw(NMTVCUSTOMDRAW& draw) const {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            if ((draw.nmcd.uItemState & CDIS_SELECTED) && GetFocus() != tree_) {
                draw.clrTextBk = inactive_background_;
                draw.clrText = inactive_text_;
                return CDRF_NEWFONT;
            }
            return CDRF_DODEFAULT;
        default:
            return CDRF_DODEFAULT;
    }
}

void FolderTree::set_font(HFONT font) {
    if (font)
        SendMessageW(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

}  // namespace trevalon
