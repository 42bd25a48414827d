// The commands of the search as the user types: Enter in the search field
// starts the top result, and a result's folder is shown in the tree with the
// result selected in it.
#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "commands/app_win.h"
#include "commands/import_plan.h"
#include "commands/launch_win.h"
#include "errors/statement_marker.h"
#include "menu/file_list_cleanup.h"
#include "menu/path_text.h"
#include "platform/safe_delete.h"
#include "program/dispatch_win.h"
#include "texts/text_table.h"
#include "window/list_views_win.h"
#include "window/live_search_win.h"
#include "window/main_window_win.h"
#include "window/search_text.h"
#include "window/view_changes.h"
#include "window/view_frame_win.h"
#include "window/window_keys_win.h"
#include "window/window_numbers.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::dispatch;

bool in_search_field(const App& app) {
    return app.window.search_field && GetFocus() == app.window.search_field;
}

// The path of a live result in the list (-1: the top one); empty when the
// list shows no live results for the field's whole text or no such row.
std::string live_result(App& app, int row) {
    // The answer to the whole text the field holds, never an older one.
    settle_live_search(app, kInputWait);
    if (!live_results_shown(app))
        return {};
    const std::optional<ListRow> shown = app.window.list.shown_row(row < 0 ? 0 : row);
    return shown ? shown->path : std::string();
}

// Enter in the search field: the top result starts as a click would start
// it. Nothing matching starts nothing (the line saying so stays); without
// live results, or with SearchEnterStartsFirst 0, the search command runs.
void search_enter(App& app, const Event&) {
    if (!in_search_field(app))
        return;
    if (app.settings.search_enter_starts_first == 0 || !app.live_search ||
        trimmed_search_text(window_text(app.window.search_field)).empty()) {
        search(app, false);
        return;
    }
    const std::string path = live_result(app, -1);
    if (!path.empty()) {
        TREVALON_MARK();
        launch_entry(app, path);
    } else if (!live_results_shown(app)) {
        search(app, false);
    }
}

// Where a result lives, as the window can show it: a folder of a menu's
// tree, or the recent documents.
struct Home {
    enum class Kind { own_menu, windows_menu, recent_documents } kind;
    std::string folder;  // the folder in the tree, ending in a backslash
};

std::optional<Home> home_of(const App& app, const std::string& path) {
    const std::string folder(folder_part(path));
    const auto below = [&](const std::string& root) -> std::optional<std::string> {
        if (root.empty() || !is_strictly_inside(path, root))
            return std::nullopt;
        return folder.substr(std::min(with_backslash(root).size(), folder.size()));
    };
    if (below(app.settings.my_own_menu))
        return Home{Home::Kind::own_menu, folder};
    for (const std::string* programs : {&app.folders.user_programs, &app.folders.common_programs}) {
        if (const auto inside = below(*programs))
            return Home{Home::Kind::windows_menu,
                        with_backslash(app.folders.windows_menu) + *inside};
    }
    if (below(app.folders.recent))
        return Home{Home::Kind::recent_documents, {}};
    return std::nullopt;
}

int tree_item_of(const App& app, const std::string& folder) {
    for (int item = 0; item < app.folder_table.count(); ++item) {
        if (same_path(with_backslash(app.folder_table.paths[static_cast<std::size_t>(item)]),
                      folder))
            return item;
    }
    return -1;
}

// Shows the folder a result lives in: the tree of its menu with the folder
// selected and opened, the result selected in the list.
void show_in_folder(App& app, const Event&) {
    const std::string path = live_result(app, in_search_field(app) ? -1 : app.window.list.state());
    if (path.empty())
        return;
    const std::optional<Home> home = home_of(app, path);
    if (!home)
        return;
    TREVALON_MARK();
    ViewChangeFrame frame(app);
    if (home->kind == Home::Kind::recent_documents) {
        enter_list(app.view, ListView::recent_documents);
        app.window.tree.select(-1);
        show_recent_documents(app);
    } else {
        const bool own = home->kind == Home::Kind::own_menu;
        int item = app.view.menu_mode == (own ? kOwnMenuMode : kWindowsMenuMode)
                       ? tree_item_of(app, home->folder)
                       : -1;
        if (item < 0) {
            // The menu shown afresh: it may not be shown, or not know the folder yet.
            if (own) {
                enter_own_menu(app.view, app.settings, texts());
            } else {
                enter_windows_menu(app.view, app.settings, app.folders.windows_menu, texts());
            }
            show_menu(app, app.view.menu_root, app.view.caption);
            item = tree_item_of(app, home->folder);
        }
        if (item < 0)
            return;
        app.window.tree.select(item);
        app.window.tree.ensure_visible(item);
        open_tree_item(app.view, item);
        open_tree_folder(app, item);
    }
    select_listed_entry(app, path);
}

constexpr std::array kSearchCommands{
    CommandEntry{kSearchEnterCommand, "TXT00363", search_enter},
    CommandEntry{kShowInFolderCommand, "TXT00364", show_in_folder},
};

}  // namespace

std::span<const CommandEntry> search_command_rows() {
    return kSearchCommands;
}

}  // namespace trevalon
