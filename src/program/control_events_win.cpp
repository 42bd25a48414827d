// The main window's control events as table rows: the folder tree's clicks,
// the file list's launch, drag and context menu, and the image buttons.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>

#include "commands/app_win.h"
#include "commands/context_menus.h"
#include "commands/entry_commands_win.h"
#include "commands/launch_win.h"
#include "commands/undo_texts.h"
#include "commands/window_menu_view_win.h"
#include "errors/statement_marker.h"
#include "menu/program_folders.h"
#include "platform/clipboard_win.h"
#include "menu/reserved_names.h"
#include "platform/drag_source_win.h"
#include "platform/wide_win.h"
#include "program/dispatch_win.h"
#include "texts/text_table.h"
#include "window/key_map.h"
#include "window/list_views_win.h"
#include "window/live_search_win.h"
#include "window/tree_hit.h"
#include "window/view_changes.h"
#include "window/view_toggles_win.h"
#include "window/window_controls_win.h"
#include "window/window_numbers.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::dispatch;

POINT pointer_in(HWND window) {
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(window, &at);
    return at;
}

// A right click does not move the tree's selection by itself; the item under
// the pointer becomes the selection first, so the menu acts on the folder
// that was clicked.
void select_item_under_pointer(App& app) {
    FolderTree& tree = app.window.tree;
    TVHITTESTINFO probe{};
    probe.pt = pointer_in(tree.window());
    const auto item = reinterpret_cast<HTREEITEM>(
        SendMessageW(tree.window(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&probe)));
    if (item && (probe.flags & TVHT_ONITEM))
        tree.select(tree.items().position_of(item));
}

// The selected item when the pointer is on its text or the icon space left of
// it; -1 otherwise (a click on an expand button or beside the items).
int hit_selected_item(const App& app) {
    const FolderTree& tree = app.window.tree;
    const int item = tree.selected();
    RECT box{};
    if (!TreeView_GetItemRect(tree.window(), tree.item_handle(item), &box, TRUE))
        return -1;
    const POINT at = pointer_in(tree.window());
    const int widening = MulDiv(kTreeHitWidening, app.window.dpi, 96);
    return tree_click_hits(ItemBox{box.left, box.top, box.right, box.bottom}, at.x, at.y, widening)
               ? item
               : -1;
}

void apply_states(HMENU menu, std::span<const int> items, const MenuItemStates& states) {
    if (!menu)
        return;
    for (const int command : items) {
        if (command != 0) {
            EnableMenuItem(menu, static_cast<UINT>(command),
                           MF_BYCOMMAND | (states.enabled(command) ? MF_ENABLED : MF_GRAYED));
        }
    }
}

// The Undo item names the edit it takes back.
void name_undo_item(App& app, HMENU menu) {
    if (!menu)
        return;
    // A name with "&" in it would otherwise underline the next letter.
    std::wstring caption;
    for (const wchar_t c : utf8_to_wide(undo_caption(app.undo.newest(), texts()))) {
        caption += c;
        if (c == L'&')
            caption += L'&';
    }
    caption += utf8_to_wide(menu_key_hint(kUndoCommand, kInTree | kInList));
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = caption.data();
    SetMenuItemInfoW(menu, kUndoCommand, FALSE, &info);
}

void folder_tree(App& app, const Event& event) {
    if (event.type != kLeftClick && event.type != kRightClick)
        return;
    TREVALON_MARK();
    if (event.type == kRightClick)
        select_item_under_pointer(app);
    const int item = hit_selected_item(app);
    if (item >= 0) {
        open_tree_item(app.view, item);
        open_tree_folder(app, item);
    } else {
        // A click beside the items: no folder is chosen, and the tree shows
        // the folder the list shows.
        app.view.tree_selection = -1;
        app.window.tree.select(app.view.tree_history[0]);
    }
    if (event.type == kRightClick)
        tree_context_menu(app, item, std::nullopt);
}

// The list row the event is about, as a path; empty for none.
std::string entry_path(const App& app, int row) {
    return listed_entry_path(app, row);
}

// The list's event types are tested in this order, so a launch setting equal
// to the right-click type launches.
void file_list(App& app, const Event& event) {
    TREVALON_MARK();
    if (event.type == kDragStart) {
        const std::string path = entry_path(app, app.window.list.state());
        // Where it is dropped, a name Windows reads as a device would reach
        // the device.
        if (path.empty() || has_reserved_part(path))
            return;
        // Search results shown as the user types are the original entries:
        // they may be copied out, never moved away.
        const bool originals = app.window.list.showing_rows();
        drag_file(path, originals ? DROPEFFECT_COPY : DROPEFFECT_COPY | DROPEFFECT_MOVE);
        WindowMenuView(app).refresh_list();
    } else if (event.type == app.settings.explorer_list_click_event) {
        const std::string path = entry_path(app, app.window.list.state());
        if (!path.empty())
            launch_entry(app, path);
    } else if (event.type == kRightClick) {
        list_context_menu(app, std::nullopt);
    }
}

void back_button(App& app, const Event&) {
    TREVALON_MARK();
    const int item = go_back(app.view);
    app.window.tree.select(item);
    if (app.folder_table.valid(item)) {
        reopen_tree_item(app.view, item);
        open_tree_folder(app, item);
    }
}

// The search field: results as the user types.
void search_field(App& app, const Event& event) {
    if (event.type == kTextChange) {
        live_search_text_changed(app);
    } else if (event.type == kResultsWaiting) {
        live_search_answer_arrived(app);
    }
}

void search_button(App& app, const Event& event) {
    if (event.type == kLeftClick)
        search(app, true);
}

void bookmarks_button(App& app, const Event& event) {
    if (event.type != kLeftClick)
        return;
    TREVALON_MARK();
    enter_list(app.view, ListView::bookmarks);
    app.window.tree.select(-1);
    show_bookmarks(app);
}

void size_button(App& app, const Event& event) {
    if (event.type != kLeftClick)
        return;
    if (app.settings.window_smaller == 0) {
        make_window_smaller(app);
    } else {
        make_window_larger(app);
    }
}

struct ControlEntry {
    int control;
    EventHandler handler;
};

constexpr std::array kControlEvents{
    ControlEntry{kFolderTreeControl, folder_tree}, ControlEntry{kFileListControl, file_list},
    ControlEntry{kBackButton, back_button},        ControlEntry{kSearchButton, search_button},
    ControlEntry{kSearchField, search_field},      ControlEntry{kBookmarksButton, bookmarks_button},
    ControlEntry{kSizeButton, size_button},
};

}  // namespace

MenuItemStates prepare_tree_menu(App& app, int item) {
    SelectedFolder& folder = app.view.selected_folder;
    folder = {};
    if (item >= 0 && app.folder_table.valid(item)) {
        folder.path = with_backslash(app.folder_table.paths[static_cast<std::size_t>(item)]);
        folder.display = app.window.tree.selected_text();
    }
    const TreeMenuInput input{.item_hit = !folder.path.empty(),
                              .item = item,
                              .own_menu = app.view.menu_mode == kOwnMenuMode,
                              .editable = app.view.editable == kEditableView,
                              .can_undo = !app.undo.empty()};
    name_undo_item(app, app.window.popup(kTreeMenu));
    const MenuItemStates states = tree_menu_states(input);
    apply_states(app.window.popup(kTreeMenu), kTreeMenuItems, states);
    return states;
}

void tree_context_menu(App& app, int item, std::optional<POINT> where) {
    prepare_tree_menu(app, item);
    show_popup_menu(app, kTreeMenu, where);
}

MenuItemStates prepare_list_menu(App& app) {
    const int row = app.window.list.state();
    const std::string path = entry_path(app, row);
    app.view.selected_entry = path.empty()
                                  ? SelectedEntry{}
                                  : read_selected_entry(path, app.window.list.item_text(row, 0));
    const SelectedEntry& entry = app.view.selected_entry;
    const bool editable = app.view.editable == kEditableView;
    const ListMenuInput input{
        .has_entry = !entry.path.empty(),
        .editable = editable,
        // Only asked when paste could be offered.
        .clipboard_files = editable && entry.path.empty() ? clipboard_file_count() : 0,
        .program = entry.program,
        .can_undo = !app.undo.empty(),
        .live_result = !entry.path.empty() && live_results_shown(app)};
    name_undo_item(app, app.window.popup(kListMenu));
    const MenuItemStates states = list_menu_states(input);
    apply_states(app.window.popup(kListMenu), kListMenuItems, states);
    return states;
}

void list_context_menu(App& app, std::optional<POINT> where) {
    prepare_list_menu(app);
    show_popup_menu(app, kListMenu, where);
}

bool dispatch_control_event(App& app, const Event& event) {
    // The tree's horizontal bar would come back with a long name; it is
    // hidden before every control event.
    app.window.tree.hide_horizontal_scroll_bar();
    for (const ControlEntry& row : kControlEvents) {
        if (row.control != event.control)
            continue;
        row.handler(app, event);
        return true;
    }
    return false;
}

}  // namespace trevalon
