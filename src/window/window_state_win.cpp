#include "window/window_state_win.h"

#include "errors/statement_marker.h"
#include "platform/settings_store_win.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::settings_store;

}  // namespace

void load_settings(WindowState& state) {
    TREVALON_MARK();
    state.settings = load_settings_file(state.folders.settings_file, state.folders.own_menu);
}

void save_settings(WindowState& state) {
    TREVALON_MARK();
    const SavedPosition& saved = state.saved_position;
    const WindowPosition position = state.main_window
                                        ? window_frame_position(state.main_window)
                                        : WindowPosition{saved.x.value_or(0), saved.y.value_or(0)};
    save_settings_to(state.settings, settings_targets(state.folders), position);
}

}  // namespace trevalon
