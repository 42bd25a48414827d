#include "window/view_toggles_win.h"

#include <windows.h>

#include "shell/app_win.h"

namespace trevalon {
namespace {

constexpr int kBandHeight = 110;

void change_inner_height(HWND window, int change) {
    RECT frame{};
    if (!window || !GetWindowRect(window, &frame))
        return;
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + change,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void show_large_icons(App& app) {
    app.settings.icon_format = 0;
}

void show_list(App& app) {
    app.settings.icon_format = 1;
}

void make_window_smaller(App& app) {
    change_inner_height(app.main_window, -kBandHeight);
    app.settings.window_smaller = 1;
}

void make_window_larger(App& app) {
    change_inner_height(app.main_window, kBandHeight);
    app.settings.window_smaller = 0;
}

}  // namespace trevalon
