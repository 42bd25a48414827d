// The commands only keys raise (window/key_map.h): moving the focus between
// the panes, Esc, Enter on the list, the context menus at the focus, the
// hotkey, the tree's keyboard selection, the back key, the bookmarks key and
// the bottom row's buttons.
#include <windows.h>

#include <array>
#include <string>

#include "commands/app_win.h"
#include "commands/launch_win.h"
#include "errors/statement_marker.h"
#include "program/dispatch_win.h"
#include "window/foreground_win.h"
#include "window/image_buttons_win.h"
#include "window/list_views_win.h"
#include "window/key_map.h"
#include "window/main_window_win.h"
#include "window/view_changes.h"
#include "window/window_keys_win.h"
#include "window/window_numbers.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::dispatch;

unsigned focused_place(const App& app) {
    return focus_place(app.window, GetFocus());
}

void focus_next_pane(App& app, const Event&) {
    focus_pane(app, next_pane(focused_place(app), false));
}

void focus_previous_pane(App& app, const Event&) {
    focus_pane(app, next_pane(focused_place(app), true));
}

void to_search_field(App& app, const Event&) {
    focus_search_field(app);
}

// Esc: a search text is cleared first; the next Esc hides the window.
void escape(App& app, const Event&) {
    HWND field = app.window.search_field;
    if (field && GetFocus() == field && GetWindowTextLengthW(field) > 0) {
        SetWindowTextW(field, L"");
        return;
    }
    TREVALON_MARK();
    hide_main_window(app);
}

void into_list(App& app, const Event&) {
    focus_list_from_field(app);
}

// Enter on the list starts the selected entry whichever click starts
// entries with the mouse.
void launch_focused(App& app, const Event&) {
    const std::string path = listed_entry_path(app, app.window.list.state());
    if (path.empty())
        return;
    TREVALON_MARK();
    launch_entry(app, path);
}

void context_menu(App& app, const Event&) {
    TREVALON_MARK();
    switch (focused_place(app)) {
        case kInTree:
            tree_context_menu(app, app.window.tree.selected(), tree_menu_point(app));
            break;
        case kInList:
            list_context_menu(app, list_menu_point(app));
            break;
        default:
            break;
    }
}

void show_or_hide(App& app, const Event&) {
    TREVALON_MARK();
    if (main_window_in_front(app)) {
        hide_main_window(app);
    } else {
        bring_window_forward(app.main_window);
    }
}

// The tree's keyboard selection, once the keys rest: opened as a click
// would open it, unless it is the folder shown already.
void open_tree_selection(App& app, const Event&) {
    const int item = app.window.tree.selected();
    if (item < 0 || item == app.view.tree_selection || !app.folder_table.valid(item))
        return;
    TREVALON_MARK();
    open_tree_item(app.view, item);
    open_tree_folder(app, item);
}

// A key that stands for a click on one of the bottom row's image buttons.
void click_image_button(App& app, int control) {
    Event button;
    button.kind = EventKind::kControl;
    button.control = control;
    button.type = kLeftClick;
    dispatch_control_event(app, button);
}

void back(App& app, const Event&) {
    click_image_button(app, kBackButton);
}

void bookmarks(App& app, const Event&) {
    TREVALON_MARK();
    click_image_button(app, kBookmarksButton);
}

void next_button(App& app, const Event&) {
    move_button_focus(app, false);
}

void previous_button(App& app, const Event&) {
    move_button_focus(app, true);
}

void press_button(App& app, const Event&) {
    if (const int control = focused_image_button(app.window)) {
        TREVALON_MARK();
        click_image_button(app, control);
    }
}

constexpr std::array kKeyCommands{
    CommandEntry{kNextPaneCommand, "TXT00340", focus_next_pane},
    CommandEntry{kPreviousPaneCommand, "TXT00341", focus_previous_pane},
    CommandEntry{kSearchFieldCommand, "TXT00342", to_search_field},
    CommandEntry{kEscapeCommand, "TXT00343", escape},
    CommandEntry{kIntoListCommand, "TXT00344", into_list},
    CommandEntry{kLaunchFocusedCommand, "TXT00345", launch_focused},
    CommandEntry{kContextMenuCommand, "TXT00346", context_menu},
    CommandEntry{kShowOrHideCommand, "TXT00347", show_or_hide},
    CommandEntry{kOpenTreeSelectionCommand, "TXT00348", open_tree_selection},
    CommandEntry{kBackCommand, "TXT00349", back},
    CommandEntry{kBookmarksKeyCommand, "TXT00131", bookmarks},
    CommandEntry{kNextButtonCommand, "TXT00365", next_button},
    CommandEntry{kPreviousButtonCommand, "TXT00366", previous_button},
    CommandEntry{kPressButtonCommand, "TXT00367", press_button},
};

}  // namespace

std::span<const CommandEntry> key_command_rows() {
    return kKeyCommands;
}

bool focused_menu_offers(App& app, int command) {
    switch (focused_place(app)) {
        case kInTree:
            return prepare_tree_menu(app, app.window.tree.selected()).enabled(command);
        case kInList:
            return prepare_list_menu(app).enabled(command);
        default:
            return false;
    }
}

}  // namespace trevalon
