#include "commands/undo_win.h"

#include <windows.h>

#include <string_view>

#include "commands/app_win.h"
#include "commands/cut_keeper_win.h"
#include "commands/entry_rules.h"
#include "commands/menu_view.h"
#include "commands/undo_run.h"
#include "commands/undo_store_win.h"
#include "commands/undo_texts.h"
#include "errors/statement_marker.h"
#include "menu/path_text.h"
#include "platform/clipboard_win.h"
#include "platform/dialogs_win.h"
#include "platform/file_ops_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::undo;

// Restored trees may be removed again only inside the folder they went into.
std::vector<std::string> roots_of(const Edit& edit) {
    std::vector<std::string> roots;
    for (const UndoStep& step : edit.steps) {
        if (step.action == UndoAction::restore_folder)
            roots.emplace_back(folder_part(without_trailing_separator(step.path)));
    }
    return roots;
}

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
            return with_backslash(step.path);
        case UndoAction::rename_back:
            return with_backslash(step.original);
        case UndoAction::remove_made_folder:
            return std::string(folder_part(without_trailing_separator(step.path)));
        default:
            return {};
    }
}

void show_after_undo(App& app, MenuView& view, const Edit& edit, const std::string& listed) {
    if (!changes_folders(edit.kind)) {
        if (!view.list_folder().empty())
            view.refresh_list();
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

// A cut taken back, or the paste that took it: the entry is home again, so
// its waiting copy goes, and so does the clipboard's list of it.
void end_cut(App& app, const std::string& waiting) {
    if (waiting.empty())
        return;
    drop_cut(app.folders, waiting);
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
    const std::optional<std::string> bytes = read_file(path);
    if (!bytes)
        return std::nullopt;
    UndoStep step;
    step.action = UndoAction::remove_made_file;
    step.path = path;
    step.fingerprint = fingerprint_of(*bytes);
    return step;
}

std::string entry_subject(const std::string& path) {
    return std::string(split_extension(file_name_part(path)).base);
}

Edit import_edit(App& app, EditKind kind, const std::vector<ImportStep>& imported) {
    Edit edit = new_edit(app, kind, imported.empty() ? "" : entry_subject(imported.front().target));
    edit.several = imported.size() > 1;
    for (const ImportStep& step : imported) {
        if (std::optional<UndoStep> made = made_file_step(step.target))
            edit.steps.push_back(std::move(*made));
    }
    return edit;
}

void undo_last_edit(App& app, MenuView& view) {
    TREVALON_MARK();
    const std::string caption = find_text("Program_Name");
    const Edit* newest = app.undo.newest();
    if (!newest) {
        app.dialogs->message_box(nothing_to_undo_text(texts()), caption,
                                 MB_OK | MB_ICONINFORMATION);
        return;
    }
    WindowsUndoDisk disk(edit_store(app.folders, newest->id), roots_of(*newest));
    const std::string listed = view.list_folder();
    const UndoResult result = undo_newest(app.undo, disk);
    if (result.status != UndoStatus::done || !result.undone) {
        app.dialogs->message_box(
            undo_refused_text(result.status == UndoStatus::changed_since, result.path, texts()),
            caption, MB_OK | MB_ICONERROR);
        return;
    }
    const Edit& edit = *result.undone;
    end_cut(app, edit.cut_entry);
    discard_edit_store(app.folders, edit.id);
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
