#include "commands/window_menu_view_win.h"

#include <string>

#include "commands/app_win.h"
#include "window/list_views_win.h"

namespace trevalon {

std::string WindowMenuView::list_folder() const {
    return app_.window.list.text();
}

void WindowMenuView::show_menu_again() {
    show_menu(app_, app_.view.menu_root, app_.view.caption);
    app_.view.tree_selection = 0;
}

void WindowMenuView::select_tree_item(int item) {
    app_.window.tree.select(item);
    app_.view.tree_selection = app_.window.tree.selected();
}

void WindowMenuView::open_folder(std::string_view folder) {
    open_folder_in_list(app_, folder);
    set_view_title(app_, app_.window.tree.selected_text());
}

void WindowMenuView::refresh_list() {
    const std::string folder = list_folder();
    if (!folder.empty())
        open_folder_in_list(app_, folder);
}

void WindowMenuView::clear_list() {
    app_.window.list.set_text("");
    app_.entry_names.clear();
}

void WindowMenuView::focus_list() {
    app_.window.list.focus();
}

void WindowMenuView::select_entry(std::string_view path) {
    select_listed_entry(app_, path);
}

void WindowMenuView::show_recent_programs() {
    trevalon::show_recent_programs(app_);
}

void WindowMenuView::show_recent_documents() {
    trevalon::show_recent_documents(app_);
}

void WindowMenuView::show_bookmarks() {
    trevalon::show_bookmarks(app_);
}

}  // namespace trevalon
