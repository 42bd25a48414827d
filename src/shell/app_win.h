// The program's state: everything start-up builds and the operations share.
// Operations take App&; the only other global state is the text table
// (texts()) and what the fault handler must reach.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "menu/menu_tables.h"
#include "settings/periodic_save.h"
#include "settings/settings.h"
#include "shell/drop_target_win.h"
#include "shell/event_queue.h"
#include "shell/handles_win.h"
#include "shell/network_config.h"
#include "shell/program_folders.h"
#include "shell/view_state.h"
#include "window/edge_watcher_win.h"
#include "window/placement.h"
#include "window/ui_resources_win.h"
#include "window/window_controls_win.h"

namespace trevalon {

class Clock;
class Dialogs;
class Launcher;

// The usable screen area: the screen device context's clip box.
struct ScreenArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct App {
    HINSTANCE instance = nullptr;

    // Seams, owned by whoever runs the program (real ones in WinMain, test
    // ones in tests); they outlive the App.
    Dialogs* dialogs = nullptr;
    Launcher* launcher = nullptr;
    const Clock* clock = nullptr;
    // Where the bookmark look-ups go; tests point it at local stand-ins.
    NetworkConfig network;

    ProgramFolders folders;
    Settings settings;
    ViewState view;
    FolderTable folder_table;
    EntryNameTable entry_names;
    UiResources ui;

    ScreenArea screen;
    SavedPosition saved_position;  // PosX, PosY as read at start-up
    HWND main_window = nullptr;
    WindowControls window;  // the main window's controls, menus and pictures
    EventQueue events;      // produced by the window procedures, taken by the loop
    SaveSchedule save_schedule;
    // Set by Exit (and by closing the window when that ends the program);
    // the loop ends after the event that set it.
    bool end_requested = false;

    // Held for the whole run; the system releases it when the process ends.
    UniqueHandle instance_mutex;

    // The tree, the list and the bookmarks button as drop targets.
    std::vector<std::unique_ptr<DropRegistration>> drop_targets;

    // The settings window while it is open.
    HWND settings_window = nullptr;

    // What the edge watcher reads, and the watcher (declared after the
    // switches it reads, so it ends first).
    EdgeTriggerSwitches edge_triggers;
    std::unique_ptr<EdgeWatcher> edge_watcher;
};

}  // namespace trevalon
