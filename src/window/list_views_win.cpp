#include "window/list_views_win.h"

#include <string>

#include "shell/app_win.h"
#include "shell/wide_win.h"
#include "texts/text_table.h"
#include "window/exit_cleanup_win.h"

namespace trevalon {

void show_menu(App& app, std::string_view /*menu_folder*/, std::string_view caption) {
    if (!app.main_window)
        return;
    std::string title = find_text("Program_Name");
    title += " - ";
    title += caption;
    SetWindowTextW(app.main_window, utf8_to_wide(title).c_str());
}

std::optional<LRESULT> main_window_callback(App& app, HWND, UINT message, WPARAM, LPARAM) {
    if (message == WM_QUERYENDSESSION)
        exit_cleanup(app);
    return std::nullopt;
}

}  // namespace trevalon
