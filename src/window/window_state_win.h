// The window floor of the program state: the window with its controls
// and resources, and the state its views show and its settings window edits.
// The commands' state (App) extends it; window code takes only this.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "menu/launch_usage.h"
#include "menu/menu_tables.h"
#include "menu/program_folders.h"
#include "platform/event_queue.h"
#include "platform/merged_copy_win.h"
#include "settings/settings.h"
#include "settings/window_position.h"
#include "window/edge_watcher_win.h"
#include "window/hotkey_win.h"
#include "window/pinning_win.h"
#include "window/live_search_win.h"
#include "window/ui_resources_win.h"
#include "window/view_state.h"
#include "window/window_controls_win.h"
#include "window/window_keys_win.h"

namespace trevalon {

class Dialogs;

// The usable screen area: the screen device context's clip box.
struct ScreenArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct WindowState {
    HINSTANCE instance = nullptr;

    // Answers to questions and input boxes; owned by whoever runs the
    // program (real in WinMain, scripted in tests) and outliving this.
    Dialogs* dialogs = nullptr;

    ProgramFolders folders;
    Settings settings;
    ViewState view;
    FolderTable folder_table;
    EntryNameTable entry_names;
    // The Windows-menu folder, kept up to date with the programs folders.
    MergedCopyFolder windows_menu_copy;
    UiResources ui;

    ScreenArea screen;
    SavedPosition saved_position;  // PosX, PosY as read at start-up
    HWND main_window = nullptr;
    WindowControls window;   // the main window's controls, menus and pictures
    EventQueue events;       // produced by the window procedures, taken by the loop
    KeyboardState keyboard;  // where the focus was, the tree's rest, the hovered row

    // The settings window while it is open.
    HWND settings_window = nullptr;

    // Companions pinning a program to the taskbar, and the programs they
    // could not pin, for the message that tells the user.
    std::vector<PinningRun> pinning;
    std::deque<std::string> pins_refused;

    // What the window does when Windows ends the session: the program's exit
    // clean-up, which ends the process. Set at start-up.
    std::function<void()> end_session;

    // Search results as the user types: the index's thread and what the list
    // shows of it. Started once the window is shown.
    std::unique_ptr<LiveSearch> live_search;
    // How often and how recently each entry was started, which orders the
    // results; the version counts its changes.
    LaunchUsage launch_usage;
    std::uint64_t launch_usage_version = 0;

    // What the edge watcher reads, and the watcher (declared after the
    // switches it reads, so it ends first).
    EdgeTriggerSwitches edge_triggers;
    std::unique_ptr<EdgeWatcher> edge_watcher;
    // While the setting asks for it: the Windows key alone shows the window.
    std::unique_ptr<WindowsKeyHook> windows_key_hook;
};

// The settings from the settings file (defaults for what it lacks).
void load_settings(WindowState& state);

// Saves the settings with the window's current position; without a window
// (an early end) the position read at start-up stays.
void save_settings(WindowState& state);

}  // namespace trevalon
