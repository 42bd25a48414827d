#include "window/view_changes.h"

#include <utility>

#include "settings/settings.h"
#include "texts/text_table.h"

namespace trevalon {
namespace {

void enter_menu(ViewState& view, Settings& settings, std::string_view mode, std::string root,
                const char* caption_key, const TextTable& texts) {
    view.menu_mode = mode;
    view.menu_root = std::move(root);
    view.caption_key = caption_key;
    view.caption = texts.find(caption_key);
    view.editable = mode == kOwnMenuMode ? kEditableView : kReadOnlyView;
    view.record_launch = 1;
    view.tree_selection = 0;
    view.tree_history = {0, 0};
    settings.menu_type_active = mode;
}

}  // namespace

void enter_own_menu(ViewState& view, Settings& settings, const TextTable& texts) {
    enter_menu(view, settings, kOwnMenuMode, settings.my_own_menu, "TXT00206", texts);
}

void enter_windows_menu(ViewState& view, Settings& settings, std::string_view windows_menu_folder,
                        const TextTable& texts) {
    enter_menu(view, settings, kWindowsMenuMode, std::string(windows_menu_folder), "TXT00205",
               texts);
}

void enter_list(ViewState& view, ListView list) {
    view.tree_selection = -1;
    switch (list) {
        case ListView::recent_programs:
            view.editable = kEditableView;
            view.record_launch = 0;
            break;
        case ListView::recent_documents:
            view.editable = kReadOnlyView;
            view.record_launch = 0;
            break;
        case ListView::bookmarks:
            view.editable = kEditableView;
            view.record_launch = 1;
            break;
        case ListView::search_results:
            view.editable = kReadOnlyView;
            break;
    }
}

void reopen_tree_item(ViewState& view, int item) {
    view.tree_selection = item;
    view.record_launch = 1;
    view.editable = view.menu_mode == kOwnMenuMode ? kEditableView : kReadOnlyView;
}

void open_tree_item(ViewState& view, int item) {
    // The element before is the folder shown last, even when a list came in
    // between and left the tree without a selection.
    view.tree_history = {item, view.tree_history[0]};
    reopen_tree_item(view, item);
}

int go_back(ViewState& view) {
    if (view.tree_selection >= 0)
        std::swap(view.tree_history[0], view.tree_history[1]);
    view.tree_selection = view.tree_history[0];
    return view.tree_history[0];
}

}  // namespace trevalon
