#include "window/list_views_win.h"

#include <optional>
#include <string>
#include <vector>

#include "errors/statement_marker.h"
#include "menu/directory_listing.h"
#include "menu/file_list_cleanup.h"
#include "menu/folder_scan.h"
#include "menu/menu_search.h"
#include "menu/path_text.h"
#include "platform/file_ops_win.h"
#include "platform/safe_delete.h"
#include "platform/shortcut_win.h"
#include "platform/wide_win.h"
#include "texts/text_table.h"
#include "window/file_list_view_win.h"
#include "window/main_window_win.h"
#include "window/view_frame_win.h"
#include "window/view_texts.h"
#include "window/window_state_win.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::list_views;

// Empties one of the program's working folders (Windows menu, recent
// documents, recent search) so it can be filled afresh. False when the folder
// is not strictly inside the program's own folders: then it is neither
// emptied nor filled, so a damaged name never touches a user's folder.
bool renew_working_folder(const ProgramFolders& folders, const std::string& folder) {
    const std::vector<std::string> roots = deletable_roots(folders);
    if (!may_delete_tree(folder, roots))
        return false;
    remove_tree(folder, roots);
    return create_folders(folder);
}

// The Windows menu: the common programs, then the user's, so a shortcut in
// both ends up as the user's copy. Only what changed since the last showing
// is copied or removed.
void rebuild_windows_menu(WindowState& state) {
    const ProgramFolders& folders = state.folders;
    state.windows_menu_copy.bring_up_to_date(folders.windows_menu,
                                             {folders.common_programs, folders.user_programs},
                                             deletable_roots(folders));
}

// Shared by the three lists: the list emptied, the folder prepared by the
// caller, titles set, then the folder opened.
void show_list_folder(WindowState& state, const std::string& folder, std::string_view title_key,
                      void (*prepare)(const ProgramFolders&)) {
    ViewChangeFrame frame(state);
    state.window.list.set_text("");
    if (prepare)
        prepare(state.folders);
    set_view_title(state, text(title_key));
    open_folder_in_list(state, folder);
}

void copy_recent_documents(const ProgramFolders& folders) {
    if (renew_working_folder(folders, folders.recent_documents))
        copy_tree(folders.recent, folders.recent_documents, "*.*", false);
}

// File names as the file system compares them: letter case ignored.
bool same_file_name(std::string_view a, std::string_view b) {
    const std::wstring wide_a = utf8_to_wide(a);
    const std::wstring wide_b = utf8_to_wide(b);
    return CompareStringOrdinal(wide_a.data(), static_cast<int>(wide_a.size()), wide_b.data(),
                                static_cast<int>(wide_b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

bool select_listed_entry(WindowState& state, std::string_view path) {
    FileList& list = state.window.list;
    if (!list.window() || list.showing_rows() || path.empty())
        return false;
    const std::string name(file_name_part(path));
    const auto& names = state.entry_names.names;
    int row = -1;
    for (std::size_t i = 0; i < names.size() && row < 0; ++i) {
        if (same_file_name(names[i], name))
            row = static_cast<int>(i);
    }
    const std::string display = display_name(name);
    for (std::size_t i = 0; i < names.size() && row < 0; ++i) {
        if (same_file_name(display_name(names[i]), display))
            row = static_cast<int>(i);
    }
    if (row < 0 || row >= list.row_count())
        return false;
    list.select_row(row);
    list.focus();
    return true;
}

void set_view_title(WindowState& state, std::string_view item_text) {
    set_window_text(state.main_window, joined_text(find_text("Program_Name"), item_text));
    set_window_text(state.window.list_caption, item_text);
    set_window_text(state.window.list.window(), item_text);  // its name for a screen reader
}

void open_folder_in_list(WindowState& state, std::string_view folder) {
    const std::string path = with_backslash(folder);
    if (convert_internet_shortcuts(path) > 0)
        state.windows_menu_copy.note_files_changed(path);
    state.window.list.set_text(path);
    if (HWND list = state.window.list.window()) {
        ListViewFileList rows(list);
        clean_up_file_list(rows, state.entry_names);
    } else {
        state.entry_names.clear();
    }
}

std::string listed_entry_path(const WindowState& state, int row) {
    const FileList& list = state.window.list;
    if (list.showing_rows()) {
        const std::optional<ListRow> shown = list.shown_row(row);
        return shown ? shown->path : std::string();
    }
    return state.entry_names.path(row, list.text());
}

void show_menu(WindowState& state, std::string_view menu_folder, std::string_view caption) {
    TREVALON_MARK();
    ViewChangeFrame frame(state);
    WindowControls& controls = state.window;
    state.folder_table.clear();
    controls.list.set_text("");
    controls.tree.clear();

    // Right after its update the Windows menu's folders are known without
    // reading them again.
    std::optional<FolderLister> known_folders;
    if (menu_folder == state.folders.windows_menu) {
        rebuild_windows_menu(state);
        known_folders = state.windows_menu_copy.known_lister();
    }
    scan_folder_tree(menu_folder, 0, controls.tree.items(), state.folder_table,
                     known_folders ? *known_folders : FolderLister(list_directory_kinds));
    controls.tree.hide_horizontal_scroll_bar();

    controls.tree.select(0);
    controls.tree.set_selected_text(joined_text(caption, text("TXT00200")));
    set_window_text(
        controls.tree_caption,
        menu_caption(caption, state.view.menu_mode == kWindowsMenuMode, text("TXT00207")));
    // Without a tree control the title still names the menu.
    const std::string item = controls.tree.window() ? controls.tree.selected_text()
                                                    : joined_text(caption, text("TXT00200"));
    set_view_title(state, item);
    if (state.folder_table.valid(0))
        open_folder_in_list(state, state.folder_table.paths[0]);
}

void show_recent_programs(WindowState& state) {
    TREVALON_MARK();
    show_list_folder(state, state.folders.recent_programs, "TXT00201", nullptr);
}

void show_recent_documents(WindowState& state) {
    TREVALON_MARK();
    show_list_folder(state, state.folders.recent_documents, "TXT00202", copy_recent_documents);
}

void show_bookmarks(WindowState& state) {
    TREVALON_MARK();
    show_list_folder(state, state.folders.bookmarks, "TXT00203", nullptr);
}

void show_search_results(WindowState& state, std::string_view menu_folder,
                         std::string_view search_text) {
    TREVALON_MARK();
    ViewChangeFrame frame(state);
    state.window.list.set_text("");
    const ProgramFolders& folders = state.folders;
    if (renew_working_folder(folders, folders.recent_search)) {
        std::vector<std::string> roots{std::string(menu_folder), folders.common_programs,
                                       folders.user_programs};
        if (state.settings.search_recent_documents > 0)
            roots.push_back(folders.recent);
        for (const std::string& root : roots) {
            if (!root.empty())
                search_menu_folder(root, search_text, folders.recent_search);
        }
    }
    const std::string heading = text("TXT00204");
    set_window_text(state.main_window, joined_text(find_text("Program_Name"), heading));
    set_window_text(state.window.list_caption, search_caption(heading, search_text));
    open_folder_in_list(state, folders.recent_search);
    // A search that finds nothing says so rather than leave the pane empty.
    if (state.window.list.row_count() == 0)
        state.window.list.add_note(search_caption(text("TXT00360"), search_text));
}

void expand_folder_tree(WindowState& state) {
    TREVALON_MARK();
    ViewChangeFrame frame(state);
    FolderTree& tree = state.window.tree;
    const int selected = tree.selected();
    tree.expand_all();
    tree.select(selected);
    tree.mark_selected(selected);
    tree.ensure_visible(selected);
}

void collapse_folder_tree(WindowState& state) {
    TREVALON_MARK();
    ViewChangeFrame frame(state);
    FolderTree& tree = state.window.tree;
    tree.collapse_all();
    const int selected = tree.selected();
    tree.mark_selected(selected);
    tree.ensure_visible(selected);
    if (selected < 0)
        return;
    if (state.folder_table.valid(selected))
        open_folder_in_list(state, state.folder_table.paths[static_cast<std::size_t>(selected)]);
    set_view_title(state, tree.selected_text());
}

std::optional<LRESULT> main_window_callback(WindowState& state, HWND, UINT message, WPARAM,
                                            LPARAM) {
    // The file list reads its folder only when the program sets its text and
    // watches nothing, so no change notification of its own ever arrives
    // here to be swallowed: the list cannot refill itself behind the
    // clean-up's back.
    if (message == WM_QUERYENDSESSION && state.end_session)
        state.end_session();
    return std::nullopt;
}

}  // namespace trevalon
