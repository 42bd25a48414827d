#include "support/model_menu_view_win.h"

#include "commands/app_win.h"
#include "menu/folder_scan.h"
#include "menu/memory_folder_views.h"
#include "menu/program_folders.h"
#include "platform/shortcut_win.h"

namespace trevalon::test {

void ModelMenuView::show_menu_again() {
    calls.push_back("menu");
    app_.folder_table.clear();
    MemoryFolderTree tree;
    scan_folder_tree(app_.view.menu_root, 0, tree, app_.folder_table);
    selected_item = 0;
    list_folder_ = with_backslash(app_.view.menu_root);
}

void ModelMenuView::select_tree_item(int item) {
    calls.push_back("select " + std::to_string(item));
    selected_item = item;
}

void ModelMenuView::open_folder(std::string_view folder) {
    calls.push_back("open " + std::string(folder));
    convert_internet_shortcuts(folder);
    list_folder_ = folder;
}

void ModelMenuView::refresh_list() {
    calls.push_back("refresh");
    convert_internet_shortcuts(list_folder_);
}

void ModelMenuView::clear_list() {
    calls.push_back("clear");
    list_folder_.clear();
}

void ModelMenuView::show_recent_programs() {
    calls.push_back("recent programs");
    list_folder_ = app_.folders.recent_programs;
}

void ModelMenuView::show_recent_documents() {
    calls.push_back("recent documents");
    list_folder_ = app_.folders.recent_documents;
}

void ModelMenuView::show_bookmarks() {
    calls.push_back("bookmarks");
    list_folder_ = app_.folders.bookmarks;
}

}  // namespace trevalon::test
