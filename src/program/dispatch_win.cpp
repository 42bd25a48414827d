#include "program/dispatch_win.h"

#include <windows.h>

#include "commands/app_win.h"
#include "commands/drop_actions_win.h"
#include "commands/system_commands_win.h"
#include "commands/window_menu_view_win.h"
#include "errors/statement_marker.h"
#include "window/settings_window_win.h"
#include "window/view_frame_win.h"
#include "window/window_numbers.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::dispatch;

void dispatch_command(App& app, const Event& event) {
    TREVALON_MARK();
    const CommandEntry* row = find_command(event.command);
    if (!row || !row->handler)
        return;
    if (event.menu_gated && !focused_menu_offers(app, event.command))
        return;
    row->handler(app, event);
}

void dispatch_drop(App& app, const Event& event) {
    TREVALON_MARK();
    // An address dropped on the list waits for the network: the window keeps
    // painting meanwhile. Every other drop is quick and shown once, at its end.
    const bool waits = event.control == kFileListControl && event.dropped_files.empty();
    ViewChangeFrame frame(app, waits ? BusyFrame::Drawing::live : BusyFrame::Drawing::suspended);
    WindowMenuView view(app);
    switch (event.control) {
        case kFolderTreeControl:
            // The tree's current item: the drop target made the item under
            // the pointer the selection when the drop happened.
            drop_on_tree(app, view, event, app.window.tree.selected());
            break;
        case kFileListControl:
            drop_on_list(app, view, event);
            break;
        case kBookmarksButton:
            drop_on_bookmarks_button(app, view, event);
            break;
        default:
            break;
    }
}

void close_main_window(App& app) {
    TREVALON_MARK();
    if (app.settings.window_close_to_tab_bar < 1) {
        app.end_requested = true;
    } else if (app.main_window) {
        ShowWindow(app.main_window, SW_MINIMIZE);
    }
}

}  // namespace

const CommandEntry* find_command(int command) {
    for (const auto rows : {main_command_rows(), key_command_rows(), search_command_rows()}) {
        for (const CommandEntry& row : rows) {
            if (row.command == command)
                return &row;
        }
    }
    return find_system_command(command);
}

void dispatch_event(App& app, const Event& event) {
    if (event.window == kSettingsWindowNumber) {
        handle_settings_window_event(app, event);
        return;
    }
    if (event.window != kMainWindowNumber)
        return;
    switch (event.kind) {
        case EventKind::kCommand:
            dispatch_command(app, event);
            break;
        case EventKind::kDrop:
            dispatch_drop(app, event);
            break;
        case EventKind::kControl:
            dispatch_control_event(app, event);
            break;
        case EventKind::kClose:
            close_main_window(app);
            break;
        case EventKind::kOther:
            break;
    }
}

}  // namespace trevalon
