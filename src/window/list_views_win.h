// What the folder tree and the file list show, and the main window's callback.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

namespace trevalon {

struct App;

// Shows a menu folder with its folder tree under the given caption.
// For now: only the window title follows (the program's name, " - ", the
// caption), as there are no tree and list controls yet.
void show_menu(App& app, std::string_view menu_folder, std::string_view caption);

// The main window's own handling of a message before the default handling;
// an answer means the message is handled. When the session ends
// (WM_QUERYENDSESSION) it runs the exit clean-up, which ends the process.
std::optional<LRESULT> main_window_callback(App& app, HWND window, UINT message, WPARAM wparam,
                                            LPARAM lparam);

}  // namespace trevalon
