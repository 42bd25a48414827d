#include "commands/drop_actions_win.h"

#include <windows.h>

#include <string>

#include "bookmarks/web_bookmark_win.h"
#include "commands/app_win.h"
#include "commands/import_plan.h"
#include "commands/import_win.h"
#include "commands/menu_view.h"
#include "commands/undo_store_win.h"
#include "commands/undo_win.h"
#include "errors/statement_marker.h"
#include "platform/dialogs_win.h"
#include "platform/event.h"
#include "platform/file_ops_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::entry_operations;

// True (after saying so) when the Windows menu is shown: its folders are a
// copy rebuilt at every showing, so nothing dropped there would last.
bool refused_in_windows_menu(App& app) {
    if (app.view.menu_mode != kWindowsMenuMode)
        return false;
    app.dialogs->message_box(text("TXT00243"), find_text("Program_Name"),
                             MB_OK | MB_ICONINFORMATION);
    return true;
}

void bring_forward(App& app, MenuView& view) {
    view.focus_list();
    if (app.main_window)
        SetForegroundWindow(app.main_window);
}

}  // namespace

void drop_on_tree(App& app, MenuView& view, const Event& drop, int tree_item) {
    TREVALON_MARK();
    if (refused_in_windows_menu(app)) {
        app.view.tree_selection = -1;
        view.select_tree_item(-1);
        return;
    }
    if (!app.folder_table.valid(tree_item) || drop.dropped_files.empty())
        return;
    const std::string target = with_backslash(app.folder_table.paths[tree_item]);
    const ImportResult result = import_paths(drop.dropped_files, target);
    Edit edit = import_edit(app, EditKind::drop, result.imported);
    if (drop.drop_is_move) {
        // A source goes only once a copy for Undo is kept; Undo puts it back.
        for (const std::string& source : sources_to_delete_after_move(
                 result.imported, app.view.menu_root, target, view.list_folder())) {
            const auto kept =
                keep_file(app.folders, edit.id, static_cast<int>(edit.steps.size()), source);
            if (!kept || !delete_file(source))
                continue;
            UndoStep back;
            back.action = UndoAction::restore_file;
            back.path = source;
            back.kept = *kept;
            edit.steps.push_back(std::move(back));
            edit.kind = EditKind::move;
        }
    }
    record_edit(app, std::move(edit));
    app.view.editable = kEditableView;
    view.open_folder(target);
    bring_forward(app, view);
}

void drop_on_list(App& app, MenuView& view, const Event& drop) {
    TREVALON_MARK();
    if (refused_in_windows_menu(app))
        return;
    const std::string folder = view.list_folder();
    if (folder.empty())
        return;
    if (!drop.dropped_files.empty()) {
        const ImportResult result = import_paths(drop.dropped_files, folder);
        record_edit(app, import_edit(app, EditKind::drop, result.imported));
        view.refresh_list();
        bring_forward(app, view);
        return;
    }
    if (drop.dropped_text.empty() || !app.clock)
        return;
    BookmarkDrop bookmark;
    bookmark.folder = folder;
    bookmark.text = drop.dropped_text;
    bookmark.allow_internet = app.settings.allow_internet_access != 0;
    bookmark.icon_folder = app.folders.icon_cache;
    if (const std::optional<std::string> link =
            make_web_bookmark(app.main_window, bookmark, app.network, *app.clock)) {
        Edit edit = new_edit(app, EditKind::drop, entry_subject(*link));
        if (std::optional<UndoStep> step = made_file_step(*link))
            edit.steps.push_back(std::move(*step));
        record_edit(app, std::move(edit));
    }
    view.refresh_list();
    bring_forward(app, view);
}

void drop_on_bookmarks_button(App& app, MenuView& view, const Event& drop) {
    TREVALON_MARK();
    const std::string& bookmarks = app.folders.bookmarks;
    if (bookmarks.empty() || drop.dropped_files.empty() || !create_folders(bookmarks))
        return;
    const ImportResult result = import_paths(drop.dropped_files, bookmarks);
    record_edit(app, import_edit(app, EditKind::drop, result.imported));
    if (same_path(view.list_folder(), bookmarks))
        view.show_bookmarks();
    bring_forward(app, view);
}

}  // namespace trevalon
