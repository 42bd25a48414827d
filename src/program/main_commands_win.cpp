// The main window's own commands as table rows. The system commands come
// from their own table (system_commands_win.h).
#include <windows.h>

#include <array>
#include <string>

#include "commands/app_win.h"
#include "commands/clipboard_commands_win.h"
#include "commands/entry_commands_win.h"
#include "commands/folder_commands_win.h"
#include "commands/list_commands_win.h"
#include "commands/undo_win.h"
#include "commands/window_menu_view_win.h"
#include "errors/statement_marker.h"
#include "menu/program_folders.h"
#include "platform/dialogs_win.h"
#include "platform/launcher_win.h"
#include "program/dispatch_win.h"
#include "texts/text_table.h"
#include "window/list_views_win.h"
#include "window/live_search_win.h"
#include "window/main_window_win.h"
#include "window/pinning_win.h"
#include "window/search_text.h"
#include "window/view_changes.h"
#include "window/view_frame_win.h"
#include "window/view_toggles_win.h"
#include "window/window_controls_win.h"
#include "window/window_numbers.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::dispatch;

bool editable(const App& app) {
    return app.view.editable == kEditableView;
}

// The lists leave the tree without a selection, in the control as in the
// view state, so the back button reopens the folder shown last.
void leave_tree(App& app, ListView list) {
    enter_list(app.view, list);
    app.window.tree.select(-1);
}

// --- The menus and lists -----------------------------------------------

void own_menu(App& app, const Event&) {
    TREVALON_MARK();
    enter_own_menu(app.view, app.settings, texts());
    show_menu(app, app.view.menu_root, app.view.caption);
}

void windows_menu(App& app, const Event&) {
    TREVALON_MARK();
    enter_windows_menu(app.view, app.settings, app.folders.windows_menu, texts());
    show_menu(app, app.view.menu_root, app.view.caption);
}

void recent_programs(App& app, const Event&) {
    TREVALON_MARK();
    leave_tree(app, ListView::recent_programs);
    show_recent_programs(app);
}

void recent_documents(App& app, const Event&) {
    TREVALON_MARK();
    leave_tree(app, ListView::recent_documents);
    show_recent_documents(app);
}

void expand_tree(App& app, const Event&) {
    expand_folder_tree(app);
}

void collapse_tree(App& app, const Event&) {
    collapse_folder_tree(app);
}

void large_icons(App& app, const Event&) {
    show_large_icons(app);
}

void list_mode(App& app, const Event&) {
    show_list(app);
}

void tools_menu(App& app, const Event&) {
    show_popup_menu(app, kToolsMenu);
}

void help_menu(App& app, const Event&) {
    show_popup_menu(app, kHelpMenu);
}

void exit_program(App& app, const Event&) {
    TREVALON_MARK();
    app.end_requested = true;
}

// --- The tools menu ---------------------------------------------------------

void pin_program(App& app, const Event&) {
    TREVALON_MARK();
    start_pinning(app, app.folders.program_file);
}

// A companion could not pin: the shell of this Windows lets no other program
// pin, so the user is told how to do it by hand.
void pinning_refused(App& app, const Event&) {
    TREVALON_MARK();
    if (app.pins_refused.empty())
        return;
    const std::string program = std::move(app.pins_refused.front());
    app.pins_refused.pop_front();
    if (app.dialogs) {
        app.dialogs->message_box(
            text("TXT00320") + "\r\n\r\n" + program + "\r\n\r\n" + text("TXT00321"),
            find_text("Program_Name"), MB_OK | MB_ICONINFORMATION);
    }
}

void desktop_shortcut(App& app, const Event&) {
    create_desktop_shortcut(app);
}

void clear_programs(App& app, const Event&) {
    ViewChangeFrame frame(app);
    WindowMenuView view(app);
    clear_recent_programs(app, view);
}

void clear_documents(App& app, const Event&) {
    ViewChangeFrame frame(app);
    WindowMenuView view(app);
    clear_recent_documents(app, view);
}

void clear_bookmark_list(App& app, const Event&) {
    ViewChangeFrame frame(app);
    WindowMenuView view(app);
    clear_bookmarks(app, view);
}

// The Return key searches only from the search field.
void return_key(App& app, const Event&) {
    if (app.window.search_field && GetFocus() == app.window.search_field)
        search(app, false);
}

// --- The folder tree's context menu (45) ------------------------------------

void new_folder_in_menu(App& app, const Event&) {
    TREVALON_MARK();
    ViewChangeFrame frame(app);
    WindowMenuView view(app);
    new_folder(app, view, NewFolderPlace::menu_root, app.view.selected_folder);
}

void new_folder_in_selected(App& app, const Event&) {
    TREVALON_MARK();
    if (app.view.selected_folder.path.empty())
        return;
    ViewChangeFrame frame(app);
    WindowMenuView view(app);
    new_folder(app, view, NewFolderPlace::selected_folder, app.view.selected_folder);
}

void delete_selected_folder(App& app, const Event&) {
    TREVALON_MARK();
    if (app.view.selected_folder.path.empty())
        return;
    ViewChangeFrame frame(app);
    WindowMenuView view(app);
    delete_folder(app, view, app.view.selected_folder);
}

void rename_selected_folder(App& app, const Event&) {
    TREVALON_MARK();
    if (app.view.selected_folder.path.empty())
        return;
    ViewChangeFrame frame(app);
    WindowMenuView view(app);
    rename_folder(app, view, app.view.selected_folder);
}

void folder_information(App& app, const Event&) {
    show_folder_information(app, editable(app), app.view.selected_folder);
}

void folder_properties(App& app, const Event&) {
    const std::string& path = app.view.selected_folder.path;
    if (!path.empty() && app.launcher && !refused_for_reserved_name(app, path))
        app.launcher->show_properties(app.main_window, path, {});
}

void show_menu_again(App& app, const Event&) {
    TREVALON_MARK();
    WindowMenuView(app).show_menu_again();
}

// --- The file list's context menu (54) --------------------------------------

const SelectedEntry* selected_entry(const App& app) {
    return app.view.selected_entry.path.empty() ? nullptr : &app.view.selected_entry;
}

void new_entry_shortcut(App& app, const Event&) {
    TREVALON_MARK();
    ViewChangeFrame frame(app);
    WindowMenuView view(app);
    if (!view.list_folder().empty())
        new_shortcut(app, view);
}

void copy_selected(App& app, const Event&) {
    if (const SelectedEntry* entry = selected_entry(app)) {
        WindowMenuView view(app);
        copy_entry(app, view, *entry);
    }
}

void cut_selected(App& app, const Event&) {
    if (const SelectedEntry* entry = selected_entry(app)) {
        ViewChangeFrame frame(app);
        WindowMenuView view(app);
        cut_entry(app, view, *entry);
    }
}

void paste(App& app, const Event&) {
    TREVALON_MARK();
    ViewChangeFrame frame(app);
    WindowMenuView view(app);
    if (!view.list_folder().empty())
        paste_entries(app, view);
}

void delete_selected(App& app, const Event&) {
    if (const SelectedEntry* entry = selected_entry(app)) {
        ViewChangeFrame frame(app);
        WindowMenuView view(app);
        delete_entry(app, view, *entry);
    }
}

void rename_selected(App& app, const Event&) {
    if (const SelectedEntry* entry = selected_entry(app)) {
        ViewChangeFrame frame(app);
        WindowMenuView view(app);
        rename_entry(app, view, *entry);
    }
}

void bookmark_selected(App& app, const Event&) {
    if (const SelectedEntry* entry = selected_entry(app))
        add_to_bookmarks(app, *entry);
}

void pin_selected(App& app, const Event&) {
    TREVALON_MARK();
    if (const SelectedEntry* entry = selected_entry(app);
        entry && !refused_for_reserved_name(app, entry->path)) {
        start_pinning(app, entry->path);
    }
}

void entry_information(App& app, const Event&) {
    if (const SelectedEntry* entry = selected_entry(app))
        show_entry_information(app, editable(app), *entry);
}

void entry_properties(App& app, const Event&) {
    if (const SelectedEntry* entry = selected_entry(app);
        entry && app.launcher && !refused_for_reserved_name(app, entry->path)) {
        app.launcher->show_properties(app.main_window, entry->path, {});
    }
}

// Ctrl+Z and the last item of both context menus. Its messages lift the
// frame while they wait for the user, like every dialog's.
void undo(App& app, const Event&) {
    TREVALON_MARK();
    ViewChangeFrame frame(app);
    WindowMenuView view(app);
    undo_last_edit(app, view);
}

void refresh(App& app, const Event&) {
    TREVALON_MARK();
    ViewChangeFrame frame(app);
    WindowMenuView(app).refresh_list();
}

constexpr std::array kMainCommands{
    CommandEntry{1, "TXT00050", own_menu},
    CommandEntry{2, "TXT00051", windows_menu},
    CommandEntry{3, "TXT00053", recent_programs},
    CommandEntry{4, "TXT00054", recent_documents},
    CommandEntry{6, "TXT00055", expand_tree},
    CommandEntry{7, "TXT00056", collapse_tree},
    CommandEntry{8, "TXT00057", large_icons},
    CommandEntry{9, "TXT00058", list_mode},
    CommandEntry{11, "TXT00060", tools_menu},
    CommandEntry{12, "TXT00061", help_menu},
    CommandEntry{13, "TXT00062", exit_program},
    CommandEntry{23, "TXT00091", pin_program},
    CommandEntry{24, "TXT00092", desktop_shortcut},
    CommandEntry{26, "TXT00094", clear_programs},
    CommandEntry{27, "TXT00095", clear_documents},
    CommandEntry{28, "TXT00096", clear_bookmark_list},
    CommandEntry{44, "", return_key},
    CommandEntry{46, "TXT00100", new_folder_in_menu},
    CommandEntry{47, "TXT00101", new_folder_in_selected},
    CommandEntry{48, "TXT00102", delete_selected_folder},
    CommandEntry{49, "TXT00103", rename_selected_folder},
    CommandEntry{50, "TXT00104", folder_information},
    CommandEntry{51, "TXT00105", folder_properties},
    CommandEntry{52, "TXT00106", show_menu_again},
    CommandEntry{53, "TXT00107", nullptr},
    CommandEntry{55, "TXT00110", new_entry_shortcut},
    CommandEntry{59, "TXT00111", copy_selected},
    CommandEntry{60, "TXT00112", cut_selected},
    CommandEntry{61, "TXT00113", paste},
    CommandEntry{62, "TXT00114", delete_selected},
    CommandEntry{63, "TXT00115", rename_selected},
    CommandEntry{64, "TXT00116", bookmark_selected},
    CommandEntry{65, "TXT00117", pin_selected},
    CommandEntry{66, "TXT00118", entry_information},
    CommandEntry{67, "TXT00119", entry_properties},
    CommandEntry{68, "TXT00120", refresh},
    CommandEntry{69, "TXT00121", nullptr},
    CommandEntry{70, "TXT00300", undo},
    CommandEntry{kPinningRefusedCommand, "TXT00320", pinning_refused},
};

}  // namespace

std::span<const CommandEntry> main_command_rows() {
    return kMainCommands;
}

void search(App& app, bool tell_empty) {
    TREVALON_MARK();
    const std::string wanted = trimmed_search_text(window_text(app.window.search_field));
    if (wanted.empty()) {
        if (tell_empty && app.dialogs) {
            app.dialogs->message_box(text("TXT00135"), find_text("Program_Name"),
                                     MB_OK | MB_ICONINFORMATION);
        }
        return;
    }
    leave_tree(app, ListView::search_results);
    show_search_results(app, app.settings.my_own_menu, wanted);
    search_command_shown(app);
}

void open_tree_folder(App& app, int item) {
    if (!app.folder_table.valid(item))
        return;
    ViewChangeFrame frame(app);
    WindowMenuView(app).open_folder(
        with_backslash(app.folder_table.paths[static_cast<std::size_t>(item)]));
}

}  // namespace trevalon
