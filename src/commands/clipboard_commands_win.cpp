#include "commands/clipboard_commands_win.h"

#include <windows.h>

#include <string>
#include <vector>

#include "commands/app_win.h"
#include "commands/cut_keeper_win.h"
#include "commands/edit_places_win.h"
#include "commands/import_win.h"
#include "commands/menu_view.h"
#include "commands/safety_texts.h"
#include "commands/undo_win.h"
#include "commands/windows_disk_win.h"
#include "errors/statement_marker.h"
#include "menu/reserved_names.h"
#include "platform/clipboard_win.h"
#include "platform/dialogs_win.h"
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

}  // namespace

void take_over_cuts(App& app, Edit& paste, const std::vector<std::string>& taken) {
    for (const std::string& waiting : taken) {
        for (const Edit& earlier : app.undo.edits()) {
            if (earlier.kind == EditKind::cut && same_path(earlier.cut_entry, waiting)) {
                app.undo.take(earlier.id);
                break;
            }
        }
        paste.cut_entry = waiting;
    }
}

bool refused_for_reserved_name(App& app, const std::string& path) {
    if (!has_reserved_part(path))
        return false;
    app.dialogs->message_box(reserved_name_text(path, texts()), find_text("Program_Name"),
                             MB_OK | MB_ICONERROR);
    return true;
}

void say_skipped(App& app, const std::vector<SkippedPath>& skipped) {
    const std::string message = skipped_text(skipped, texts());
    if (!message.empty()) {
        app.dialogs->message_box(message, find_text("Program_Name"), MB_OK | MB_ICONINFORMATION);
    }
}

void copy_entry(App& app, MenuView& view, const SelectedEntry& entry) {
    TREVALON_MARK();
    // Another program would open the device, not the entry.
    if (entry.path.empty() || refused_for_reserved_name(app, entry.path) ||
        !copy_files_to_clipboard({entry.path}, app.main_window)) {
        return;
    }
    // A cut entry still waiting is no longer on the clipboard: it goes home.
    if (!settle_waiting_cuts(app).empty())
        view.refresh_list();
}

void cut_entry(App& app, MenuView& view, const SelectedEntry& entry) {
    TREVALON_MARK();
    if (entry.path.empty() || refused_for_reserved_name(app, entry.path))
        return;
    WindowsFileDisk disk(app.main_window);
    const EditPlaces places = edit_places(app);
    const std::optional<std::string> waiting = start_cut(disk, places.cuts, entry.path);
    if (!waiting) {
        app.dialogs->message_box(text("TXT00415") + "\n\n" + entry.path, find_text("Program_Name"),
                                 MB_OK | MB_ICONERROR);
        return;
    }
    // Without the clipboard the cut could never be pasted: the entry stays.
    if (!copy_files_to_clipboard({*waiting}, app.main_window)) {
        drop_cut(disk, places.cuts, *waiting);
        return;
    }
    const std::optional<UndoStep> step = finish_cut(disk, places, entry.path, *waiting);
    if (!step) {
        empty_clipboard_if_it_lists({*waiting}, app.main_window);
        return;
    }
    app.cut_origins[*waiting] = entry.path;
    // The earlier cut entry is no longer on the clipboard.
    settle_waiting_cuts(app, *waiting);

    Edit edit = new_edit(app, EditKind::cut, entry_subject(entry.path));
    edit.cut_entry = *waiting;
    edit.steps.push_back(*step);
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
    WindowsFileDisk disk(app.main_window);
    Edit edit = new_edit(app, EditKind::paste, "");
    ImportOutcome outcome = import_entries(disk, edit_places(app), edit.id,
                                           ImportRequest{clipboard_files(), folder, false, {}, {}});
    if (!outcome.imported.empty()) {
        edit.subject = entry_subject(outcome.imported.front().target);
        edit.several = outcome.imported.size() > 1;
    }
    edit.steps = std::move(outcome.steps);
    take_over_cuts(app, edit, outcome.cuts_taken);
    record_edit(app, std::move(edit));
    view.refresh_list();
    if (!outcome.imported.empty())
        view.select_entry(outcome.imported.front().target);
    say_skipped(app, outcome.skipped);
}

}  // namespace trevalon
