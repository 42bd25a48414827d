#include "commands/drop_actions_win.h"

#include <windows.h>

#include <string>

#include "bookmarks/web_bookmark_win.h"
#include "commands/app_win.h"
#include "commands/clipboard_commands_win.h"
#include "commands/edit_places_win.h"
#include "commands/import_plan.h"
#include "commands/import_win.h"
#include "commands/menu_view.h"
#include "commands/undo_store_win.h"
#include "commands/undo_win.h"
#include "commands/windows_disk_win.h"
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

// Imports the dropped paths and records the edit (a move when a source went).
ImportOutcome import_dropped(App& app, EditKind kind, const ImportRequest& request) {
    WindowsFileDisk disk(app.main_window);
    Edit edit = new_edit(app, kind, "");
    ImportOutcome outcome = import_entries(disk, edit_places(app), edit.id, request);
    if (!outcome.imported.empty()) {
        edit.subject = entry_subject(outcome.imported.front().target);
        edit.several = outcome.imported.size() > 1;
    }
    if (!outcome.moved.empty())
        edit.kind = EditKind::move;
    edit.steps = outcome.steps;
    take_over_cuts(app, edit, outcome.cuts_taken);
    record_edit(app, std::move(edit));
    return outcome;
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
    // A source goes only once a copy for Undo is kept; Undo puts it back.
    const ImportOutcome outcome =
        import_dropped(app, EditKind::drop,
                       ImportRequest{drop.dropped_files, target, drop.drop_is_move,
                                     app.view.menu_root, view.list_folder()});
    app.view.editable = kEditableView;
    view.open_folder(target);
    bring_forward(app, view);
    say_skipped(app, outcome.skipped);
}

void drop_on_list(App& app, MenuView& view, const Event& drop) {
    TREVALON_MARK();
    if (refused_in_windows_menu(app))
        return;
    const std::string folder = view.list_folder();
    if (folder.empty())
        return;
    if (!drop.dropped_files.empty()) {
        const ImportOutcome outcome = import_dropped(
            app, EditKind::drop, ImportRequest{drop.dropped_files, folder, false, {}, {}});
        view.refresh_list();
        bring_forward(app, view);
        if (!outcome.imported.empty())
            view.select_entry(outcome.imported.front().target);
        say_skipped(app, outcome.skipped);
        return;
    }
    if (drop.dropped_text.empty() || !app.clock)
        return;
    BookmarkDrop bookmark;
    bookmark.folder = folder;
    bookmark.text = drop.dropped_text;
    bookmark.allow_internet = app.settings.allow_internet_access != 0;
    bookmark.icon_folder = app.folders.icon_cache;
    const std::optional<std::string> link =
        make_web_bookmark(app.main_window, bookmark, app.network, *app.clock);
    if (link) {
        Edit edit = new_edit(app, EditKind::drop, entry_subject(*link));
        if (std::optional<UndoStep> step = made_file_step(*link))
            edit.steps.push_back(std::move(*step));
        record_edit(app, std::move(edit));
    }
    view.refresh_list();
    bring_forward(app, view);
    if (link)
        view.select_entry(*link);
}

void drop_on_bookmarks_button(App& app, MenuView& view, const Event& drop) {
    TREVALON_MARK();
    const std::string& bookmarks = app.folders.bookmarks;
    if (bookmarks.empty() || drop.dropped_files.empty() || !create_folders(bookmarks))
        return;
    const ImportOutcome outcome = import_dropped(
        app, EditKind::drop, ImportRequest{drop.dropped_files, bookmarks, false, {}, {}});
    if (same_path(view.list_folder(), bookmarks))
        view.show_bookmarks();
    bring_forward(app, view);
    say_skipped(app, outcome.skipped);
}

}  // namespace trevalon
