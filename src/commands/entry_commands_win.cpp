#include "commands/entry_commands_win.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "commands/app_win.h"
#include "commands/clipboard_commands_win.h"
#include "commands/entry_rules.h"
#include "commands/import_win.h"
#include "commands/information_texts.h"
#include "commands/menu_view.h"
#include "commands/undo_win.h"
#include "commands/undoable_delete_win.h"
#include "errors/statement_marker.h"
#include "menu/directory_listing.h"
#include "menu/free_name.h"
#include "menu/path_text.h"
#include "menu/reserved_names.h"
#include "platform/dialogs_win.h"
#include "platform/file_ops_win.h"
#include "platform/launcher_win.h"
#include "platform/recycle_bin_win.h"
#include "platform/shortcut_win.h"
#include "platform/system_programs_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::entry_operations;
constexpr char kWizardFile[] = "_temp_.lnk";

bool exists(const std::string& path) {
    return is_file(path) || is_directory(path);
}

std::string file_name_of(const std::string& path) {
    return std::string(file_name_part(path));
}

// The names of the files in a folder, for telling afterwards which one is new.
std::vector<std::string> file_names(const std::string& folder) {
    std::vector<std::string> names;
    if (const auto entries = list_directory(folder)) {
        for (const DirectoryEntry& entry : *entries) {
            if (!entry.is_directory)
                names.push_back(entry.name);
        }
    }
    return names;
}

}  // namespace

SelectedEntry read_selected_entry(const std::string& path, const std::string& display) {
    EntryReaders readers;
    readers.read_link = [](const std::string& link) { return read_shortcut_resolved(link); };
    readers.read_text = [](const std::string& file) { return read_file(file, 1u << 20); };
    readers.exists = exists;
    return analyse_entry(path, display, readers,
                         EntryNotes{text("Universal_App"), text("TXT00244")});
}

void new_shortcut(App& app, MenuView& view) {
    TREVALON_MARK();
    const std::string folder = view.list_folder();
    if (folder.empty())
        return;
    const std::string temporary = folder + kWizardFile;
    const std::vector<std::string> before = file_names(folder);
    // An entry of that name is the user's: the wizard only starts on a fresh
    // empty file, or on one an interrupted run left empty.
    const bool prepared = create_new_file(temporary) || file_size(temporary).value_or(1) == 0;
    if (prepared) {
        UniqueHandle wizard =
            app.launcher->start(system_program("rundll32.exe"),
                                "appwiz.cpl,NewLinkHere " + temporary, "", SW_SHOWNORMAL);
        app.dialogs->message_box(text("TXT00231"), text("TXT00230"), MB_OK | MB_ICONINFORMATION);
        if (wizard && WaitForSingleObject(wizard.get(), 0) == WAIT_TIMEOUT)
            TerminateProcess(wizard.get(), 1);
        // A wizard that was cancelled or ended leaves the empty file behind.
        if (file_size(temporary).value_or(1) == 0)
            delete_file(temporary);
    }
    view.refresh_list();
    // The shortcut the wizard made, under the name it was given.
    for (const std::string& name : file_names(folder)) {
        if (std::find(before.begin(), before.end(), name) == before.end() && name != kWizardFile) {
            view.select_entry(folder + name);
            break;
        }
    }
}

void delete_entry(App& app, MenuView& view, const SelectedEntry& entry) {
    TREVALON_MARK();
    if (entry.path.empty())
        return;
    const bool recycle = recycle_bin_available(entry.path);
    if (!recycle &&
        app.dialogs->message_box(text("TXT00312") + "\n\n" + entry.path, find_text("Program_Name"),
                                 MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    delete_undoably(app, entry.path, EditKind::delete_entry, entry_subject(entry.path), recycle);
    view.refresh_list();
}

void rename_entry(App& app, MenuView& view, const SelectedEntry& entry) {
    TREVALON_MARK();
    if (entry.path.empty())
        return;
    const std::string old_name = file_name_of(entry.path);
    const std::string old_base = entry_base_name(old_name);
    const std::string name =
        usable_name(app.dialogs->input_box(old_base, text("TXT00233"), old_base));
    if (name.empty() || name == old_base)
        return;
    const std::string path =
        renamed_entry_path(std::string(folder_part(entry.path)), old_name, name);
    // A long name is cut to fit; cut back to the old name it changes nothing.
    if (path.empty() || path == entry.path)
        return;
    if (is_reserved_name(file_name_part(path))) {
        app.dialogs->message_box(text("TXT00418") + "\n\n" + file_name_of(path), old_base,
                                 MB_OK | MB_ICONERROR);
        return;
    }
    // Another letter case of the same entry is a rename, not a clash.
    if (exists(path) && !same_path(path, entry.path)) {
        app.dialogs->message_box(text("TXT00234") + "\n\n" + file_name_of(path), old_base,
                                 MB_OK | MB_ICONERROR);
        return;
    }
    if (rename_path(entry.path, path)) {
        Edit edit = new_edit(app, EditKind::rename_entry, entry_subject(path));
        if (std::optional<UndoStep> step = made_file_step(path)) {
            step->action = UndoAction::rename_back;
            step->original = entry.path;
            edit.steps.push_back(std::move(*step));
        }
        record_edit(app, std::move(edit));
        view.refresh_list();
        view.select_entry(path);
        return;
    }
    view.refresh_list();
}

void add_to_bookmarks(App& app, const SelectedEntry& entry) {
    TREVALON_MARK();
    const std::string& bookmarks = app.folders.bookmarks;
    if (entry.path.empty() || bookmarks.empty() || refused_for_reserved_name(app, entry.path) ||
        !create_folders(bookmarks)) {
        return;
    }
    const std::string wanted = bookmarks + file_name_of(entry.path);
    if (same_path(entry.path, wanted))
        return;
    if (is_file(wanted) && same_file_bytes(wanted, entry.path))
        return;
    const std::optional<std::string> target = free_name(wanted, path_taken);
    if (!target || !copy_file_if_absent(entry.path, *target))
        return;
    Edit edit = new_edit(app, EditKind::add_to_bookmarks, entry_subject(*target));
    if (std::optional<UndoStep> step = made_file_step(*target))
        edit.steps.push_back(std::move(*step));
    record_edit(app, std::move(edit));
}

void show_entry_information(App& app, bool editable, const SelectedEntry& entry) {
    TREVALON_MARK();
    app.dialogs->message_box(entry_information(editable, entry, texts()), entry.display, MB_OK);
}

}  // namespace trevalon
