#include "commands/clipboard_commands_win.h"

#include <windows.h>

#include <string>
#include <vector>

#include "commands/app_win.h"
#include "commands/cut_keeper_win.h"
#include "commands/import_plan.h"
#include "commands/import_win.h"
#include "commands/menu_view.h"
#include "commands/undo_store_win.h"
#include "commands/undo_win.h"
#include "errors/statement_marker.h"
#include "platform/clipboard_win.h"
#include "platform/dialogs_win.h"
#include "platform/file_ops_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::entry_operations;
// More files than this are pasted only after a question.
constexpr int kPasteWithoutAsking = 5;

bool yes(App& app, const char* question_key) {
    return app.dialogs->message_box(text(question_key), find_text("Program_Name"),
                                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

// The paste took a waiting cut entry for the first time: it takes the cut's
// place in the journal, and taking it back sends the entry home with the
// bytes it had.
void take_over_cut(App& app, Edit& paste, const ImportStep& step) {
    const std::optional<CutRecord> cut = waiting_cut(app.folders, step.source);
    if (!cut || cut->pasted || !mark_cut_pasted(app.folders, step.source))
        return;
    for (const Edit& earlier : app.undo.edits()) {
        if (earlier.kind == EditKind::cut && same_path(earlier.cut_entry, step.source)) {
            app.undo.take(earlier.id);
            break;
        }
    }
    const auto kept =
        keep_file(app.folders, paste.id, static_cast<int>(paste.steps.size()), step.source);
    if (!kept)
        return;
    UndoStep back;
    back.action = UndoAction::restore_file;
    back.path = cut->origin;
    back.kept = *kept;
    paste.steps.push_back(std::move(back));
    paste.cut_entry = step.source;
}

}  // namespace

void copy_entry(App& app, MenuView& view, const SelectedEntry& entry) {
    TREVALON_MARK();
    if (entry.path.empty() || !copy_files_to_clipboard({entry.path}, app.main_window))
        return;
    // A cut entry still waiting is no longer on the clipboard: it goes home.
    const std::vector<std::string> settled = settle_cuts(app.folders);
    forget_cuts(app, settled);
    if (!settled.empty())
        view.refresh_list();
}

void cut_entry(App& app, MenuView& view, const SelectedEntry& entry) {
    TREVALON_MARK();
    if (entry.path.empty())
        return;
    const std::optional<std::string> waiting = start_cut(app.folders, entry.path);
    if (!waiting)
        return;
    // Without the clipboard the cut could never be pasted: the entry stays.
    if (!copy_files_to_clipboard({*waiting}, app.main_window)) {
        drop_cut(app.folders, *waiting);
        return;
    }
    if (!delete_file(entry.path)) {
        drop_cut(app.folders, *waiting);
        empty_clipboard_if_it_lists({*waiting}, app.main_window);
        return;
    }
    // The earlier cut entry is no longer on the clipboard.
    forget_cuts(app, settle_cuts(app.folders, *waiting));

    Edit edit = new_edit(app, EditKind::cut, entry_subject(entry.path));
    edit.cut_entry = *waiting;
    UndoStep step;
    step.action = UndoAction::restore_file;
    step.path = entry.path;
    step.kept = *waiting;
    edit.steps.push_back(std::move(step));
    record_edit(app, std::move(edit));
    view.refresh_list();
}

void paste_entries(App& app, MenuView& view) {
    TREVALON_MARK();
    const std::string folder = view.list_folder();
    const int count = clipboard_file_count();
    if (folder.empty() || count == 0)
        return;
    if (count > kPasteWithoutAsking && !yes(app, "TXT00232"))
        return;
    const ImportResult result = import_paths(clipboard_files(), folder);
    Edit edit = import_edit(app, EditKind::paste, result.imported);
    for (const ImportStep& step : result.imported)
        take_over_cut(app, edit, step);
    record_edit(app, std::move(edit));
    view.refresh_list();
}

}  // namespace trevalon
