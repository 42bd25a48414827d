#include "commands/undo_win.h"

#include <windows.h>

#include <string_view>

#include "commands/app_win.h"
#include "commands/cut_keeper_win.h"
#include "commands/edit_places_win.h"
#include "commands/entry_rules.h"
#include "commands/import_plan.h"
#include "commands/menu_view.h"
#include "commands/undo_run.h"
#include "commands/undo_store_win.h"
#include "commands/undo_texts.h"
#include "commands/windows_disk_win.h"
#include "errors/statement_marker.h"
#include "menu/path_text.h"
#include "platform/clipboard_win.h"
#include "platform/dialogs_win.h"
#include "platform/file_ops_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::undo;

bool changes_folders(EditKind kind) {
    return kind == EditKind::delete_folder || kind == EditKind::rename_folder ||
           kind == EditKind::new_folder;
}

// The folder to show after a folder edit was taken back: the one restored
// or renamed back, or the one a removed new folder was made in.
std::string folder_to_show(const Edit& edit) {
    if (edit.steps.empty())
        return {};
    const UndoStep& step = edit.steps.front();
    switch (step.action) {
        case UndoAction::restore_folder:
        case UndoAction::restore_missing:
            return with_backslash(step.path);
        case UndoAction::rename_back:
            return with_backslash(step.original);
        case UndoAction::remove_made_folder:
            return std::string(folder_part(without_trailing_separator(step.path)));
        default:
            return {};
    }
}

// The entry an undone edit brought back into view: one restored, or renamed
// back; empty when it only took something away.
std::string entry_brought_back(const Edit& edit) {
    for (const UndoStep& step : edit.steps) {
        if (step.action == UndoAction::restore_file)
            return step.path;
        if (step.action == UndoAction::rename_back)
            return step.original;
    }
    return {};
}

void show_after_undo(App& app, MenuView& view, const Edit& edit, const std::string& listed) {
    if (!changes_folders(edit.kind)) {
        if (!view.list_folder().empty()) {
            view.refresh_list();
            const std::string entry = entry_brought_back(edit);
            if (!entry.empty() && same_path(folder_part(entry), view.list_folder()))
                view.select_entry(entry);
        }
        return;
    }
    view.show_menu_again();
    for (const std::string& folder : {folder_to_show(edit), listed}) {
        const int item = folder.empty() ? -1 : find_folder_item(app.folder_table, folder);
        if (item > 0) {
            view.select_tree_item(item);
            view.open_folder(folder);
            return;
        }
    }
}

// A cut taken back, or the paste that took it: the entry is home again and
// its waiting copy gone, so the clipboard's list of it goes too.
void end_cut(App& app, const std::string& waiting) {
    if (waiting.empty())
        return;
    app.cut_origins.erase(waiting);
    empty_clipboard_if_it_lists({waiting}, app.main_window);
}

}  // namespace

Edit new_edit(App& app, EditKind kind, std::string subject) {
    Edit edit;
    edit.id = app.undo.next_id();
    edit.kind = kind;
    edit.subject = std::move(subject);
    return edit;
}

void record_edit(App& app, Edit edit) {
    if (edit.steps.empty()) {
        discard_edit_store(app.folders, edit.id);
        return;
    }
    if (const std::optional<Edit> dropped = app.undo.record(std::move(edit)))
        discard_edit_store(app.folders, dropped->id);
}

std::optional<UndoStep> made_file_step(const std::string& path) {
    const WindowsFileDisk disk;
    return made_file_step(disk, path);
}

std::string entry_subject(const std::string& path) {
    return std::string(split_extension(file_name_part(path)).base);
}

void undo_last_edit(App& app, MenuView& view) {
    TREVALON_MARK();
    const std::string caption = find_text("Program_Name");
    const Edit* newest = app.undo.newest();
    // Nothing to undo: the menu item is disabled then, and Ctrl+Z only
    // beeps, as editors do.
    if (!newest) {
        app.dialogs->beep(MB_ICONINFORMATION);
        return;
    }
    WindowsFileDisk disk(app.main_window);
    const std::string listed = view.list_folder();
    const UndoResult result = undo_newest_on(disk, edit_places(app), app.undo);
    if (result.status != UndoStatus::done || !result.undone) {
        app.dialogs->message_box(
            undo_refused_text(result.status == UndoStatus::changed_since, result.path, texts()),
            caption, MB_OK | MB_ICONERROR);
        return;
    }
    const Edit& edit = *result.undone;
    end_cut(app, edit.cut_entry);
    show_after_undo(app, view, edit, listed);
}

void forget_cuts(App& app, const std::vector<std::string>& settled) {
    for (const std::string& waiting : settled) {
        for (const Edit& edit : app.undo.edits()) {
            if (edit.kind == EditKind::cut && same_path(edit.cut_entry, waiting)) {
                app.undo.take(edit.id);
                break;
            }
        }
    }
}

}  // namespace trevalon
