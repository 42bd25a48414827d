#include "commands/folder_commands_win.h"

#include <windows.h>

#include <string>
#include <vector>

#include "commands/app_win.h"
#include "commands/entry_rules.h"
#include "commands/import_plan.h"
#include "commands/information_texts.h"
#include "commands/menu_view.h"
#include "commands/undo_win.h"
#include "commands/undoable_delete_win.h"
#include "errors/statement_marker.h"
#include "menu/path_text.h"
#include "menu/reserved_names.h"
#include "platform/dialogs_win.h"
#include "platform/file_ops_win.h"
#include "platform/recycle_bin_win.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::folder_operations;

void refuse(App& app, const char* key, const std::string& detail, const std::string& caption) {
    app.dialogs->message_box(text(key) + "\n\n" + detail, caption, MB_OK | MB_ICONERROR);
}

// A folder of the tree other than the menu folder itself.
bool is_tree_folder_below_root(int item) {
    return item >= 1;
}

// Shows the menu again and lists the folder, selected, when the tree has it.
void show_menu_with(App& app, MenuView& view, const std::string& folder) {
    view.show_menu_again();
    const int item = find_folder_item(app.folder_table, folder);
    if (item >= 0) {
        view.select_tree_item(item);
        view.open_folder(folder);
    }
}

}  // namespace

void new_folder(App& app, MenuView& view, NewFolderPlace place, const SelectedFolder& selected) {
    TREVALON_MARK();
    const bool at_root = place == NewFolderPlace::menu_root;
    const std::string base = at_root ? app.view.menu_root : selected.path;
    if (base.empty())
        return;
    const std::string title = text(at_root ? "TXT00100" : "TXT00101");
    const std::string name =
        usable_name(app.dialogs->input_box(title, text(at_root ? "TXT00220" : "TXT00222"), ""));
    const std::string fitted = fitted_name(name, with_backslash(base), "");
    if (fitted.empty())
        return;
    if (is_reserved_name(fitted)) {
        refuse(app, "TXT00418", fitted, title);
        return;
    }
    const std::string path = with_backslash(base) + fitted + "\\";

    const int existing = find_folder_item(app.folder_table, path);
    if (is_tree_folder_below_root(existing)) {
        refuse(app, at_root ? "TXT00221" : "TXT00223", path, title);
        view.select_tree_item(existing);
        view.open_folder(path);
        return;
    }
    const bool existed = is_directory(path);
    if (create_folder(path) && !existed) {
        Edit edit = new_edit(app, EditKind::new_folder, fitted);
        UndoStep step;
        step.action = UndoAction::remove_made_folder;
        step.path = without_trailing_separator(path);
        edit.steps.push_back(std::move(step));
        record_edit(app, std::move(edit));
    }
    show_menu_with(app, view, path);
}

void rename_folder(App& app, MenuView& view, const SelectedFolder& selected) {
    TREVALON_MARK();
    if (selected.path.empty())
        return;
    const int item = find_folder_item(app.folder_table, selected.path);
    // The menu folder itself keeps its name: the settings point at it.
    if (!is_tree_folder_below_root(item))
        return;
    const std::string name =
        usable_name(app.dialogs->input_box(selected.display, text("TXT00224"), selected.display));
    if (name.empty() || name == selected.display)
        return;
    const std::string path = renamed_folder_path(selected.path, name);
    if (path.empty() || path == with_backslash(selected.path))
        return;
    if (is_reserved_name(file_name_part(without_trailing_separator(path)))) {
        refuse(app, "TXT00418", std::string(file_name_part(without_trailing_separator(path))),
               selected.display);
        return;
    }
    const int taken = find_folder_item(app.folder_table, path);
    // Another letter case of the same folder is a rename, not a clash.
    if (is_tree_folder_below_root(taken) && taken != item) {
        refuse(app, "TXT00225", path, selected.display);
        return;
    }
    // The list lets go of the folder first: a listed folder may be held open.
    view.clear_list();
    const std::string from = without_trailing_separator(selected.path);
    const std::string to = without_trailing_separator(path);
    if (rename_path(from, to)) {
        Edit edit = new_edit(app, EditKind::rename_folder, std::string(file_name_part(to)));
        UndoStep step;
        step.action = UndoAction::rename_back;
        step.path = to;
        step.original = from;
        edit.steps.push_back(std::move(step));
        record_edit(app, std::move(edit));
    }
    show_menu_with(app, view, path);
}

void delete_folder(App& app, MenuView& view, const SelectedFolder& selected) {
    TREVALON_MARK();
    if (selected.path.empty())
        return;
    // Where there is no Recycle Bin the question says so.
    const bool recycle = recycle_bin_available(selected.path);
    std::string question = text("TXT00226") + "\n\n" + selected.path;
    if (!recycle)
        question += "\n\n" + text("TXT00313");
    const int answer = app.dialogs->message_box(question, selected.display,
                                                MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);
    if (answer != IDYES)
        return;
    view.clear_list();
    // Only strictly inside the shown menu: a damaged selection can never take
    // the menu folder itself or anything outside it.
    const std::vector<std::string> roots{with_backslash(app.view.menu_root)};
    delete_undoably(app, selected.path, EditKind::delete_folder,
                    std::string(file_name_part(without_trailing_separator(selected.path))), recycle,
                    roots);
    view.show_menu_again();
}

void show_folder_information(App& app, bool editable, const SelectedFolder& selected) {
    TREVALON_MARK();
    app.dialogs->message_box(folder_information(editable, selected, texts()), selected.display,
                             MB_OK);
}

}  // namespace trevalon
