#include "window/view_toggles_win.h"

#include <windows.h>

#include "errors/statement_marker.h"
#include "window/image_buttons_win.h"
#include "window/main_window_win.h"
#include "window/view_frame_win.h"
#include "window/window_numbers.h"
#include "window/window_state_win.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::view_toggles;

void resize(HWND control, const Rect& rect) {
    if (control) {
        SetWindowPos(control, nullptr, 0, 0, rect.width, rect.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void move(HWND control, const Rect& rect) {
    if (control) {
        SetWindowPos(control, nullptr, rect.x, rect.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// Both forms are laid out from their own numbers rather than by shifting the
// current places, so any sequence of toggles lands on exactly the layout of
// the form asked for. Nothing is drawn in between.
void apply_form(WindowState& state, WindowForm form) {
    WindowControls& controls = state.window;
    const MainLayout layout = main_layout(form, controls.dpi);
    DrawingFreeze freeze(state.main_window);
    // The panes, each content before its container.
    resize(controls.tree.window(), layout.tree);
    resize(controls.tree_container, layout.tree_container);
    resize(controls.list.window(), layout.list);
    resize(controls.list_container, layout.list_container);
    // The bottom row.
    move(controls.bookmarks_button, layout.bookmarks_button);
    move(controls.search_field, layout.search_field);
    move(controls.search_button, layout.search_button);
    move(controls.back_button, layout.back_button);
    move(controls.size_button, layout.size_button);
    const int image = form == WindowForm::full ? kSmallerImage : kLargerImage;
    if (controls.size_button) {
        set_button_picture(controls.size_button, controls.button_icons[image].get());
    }
    if (controls.lower_toolbar) {
        SetWindowPos(controls.lower_toolbar, nullptr, layout.lower_toolbar.x,
                     layout.lower_toolbar.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    set_inner_size(state, layout.inner.width, layout.inner.height);
    controls.form = form;
}

}  // namespace

void show_large_icons(WindowState& state) {
    TREVALON_MARK();
    state.settings.icon_format = 0;
    state.window.list.set_display_mode(kLargeIconMode);
}

void show_list(WindowState& state) {
    TREVALON_MARK();
    state.settings.icon_format = 1;
    state.window.list.set_display_mode(kListMode);
}

void make_window_smaller(WindowState& state) {
    TREVALON_MARK();
    apply_form(state, WindowForm::smaller);
    state.settings.window_smaller = 1;
}

void make_window_larger(WindowState& state) {
    TREVALON_MARK();
    apply_form(state, WindowForm::full);
    state.settings.window_smaller = 0;
}

}  // namespace trevalon
