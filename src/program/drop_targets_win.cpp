#include "program/drop_targets_win.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>

#include "commands/app_win.h"
#include "platform/drop_target_win.h"
#include "window/window_events_win.h"
#include "window/window_numbers.h"

namespace trevalon {
namespace {

// The tree item under a point on the screen; null for none.
HTREEITEM tree_item_at(HWND tree, POINT screen_point) {
    TVHITTESTINFO probe{};
    probe.pt = screen_point;
    ScreenToClient(tree, &probe.pt);
    const auto item = reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&probe)));
    return item && (probe.flags & TVHT_ONITEM) ? item : nullptr;
}

// While a drag moves over the tree the folder it would land in is marked.
void mark_tree_target(HWND tree, std::optional<POINT> point) {
    HTREEITEM item = point ? tree_item_at(tree, *point) : nullptr;
    SendMessageW(tree, TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(item));
}

void keep(App& app, std::unique_ptr<DropRegistration> registration) {
    if (registration)
        app.drop_targets.push_back(std::move(registration));
}

}  // namespace

void register_drop_targets(App& app) {
    HWND tree = app.window.tree.window();
    if (tree) {
        keep(app, DropRegistration::create(
                      tree, kFolderTreeControl, DropAccepts{.files = true, .text = false},
                      [&app, tree](const Event& drop) {
                          // The item dropped on becomes the tree's current
                          // item, which the drop is imported into.
                          if (HTREEITEM item = tree_item_at(tree, POINT{drop.drop_x, drop.drop_y}))
                              app.window.tree.select(app.window.tree.items().position_of(item));
                          post_event(app, drop);
                      },
                      [tree](std::optional<POINT> point) { mark_tree_target(tree, point); }));
    }
    auto post = [&app](const Event& drop) { post_event(app, drop); };
    if (HWND list = app.window.list.window())
        keep(app, DropRegistration::create(list, kFileListControl,
                                           DropAccepts{.files = true, .text = true}, post));
    if (HWND button = app.window.bookmarks_button)
        keep(app, DropRegistration::create(button, kBookmarksButton,
                                           DropAccepts{.files = true, .text = false}, post));
}

}  // namespace trevalon
