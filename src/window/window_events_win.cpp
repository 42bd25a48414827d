#include "window/window_events_win.h"

#include <commctrl.h>

#include "window/live_search_win.h"
#include "window/main_window_win.h"
#include "window/window_controls_win.h"
#include "window/window_keys_win.h"
#include "window/window_numbers.h"
#include "window/window_state_win.h"

namespace trevalon {
namespace {

Event control_event(int control, int type) {
    Event event;
    event.kind = EventKind::kControl;
    event.window = kMainWindowNumber;
    event.control = control;
    event.type = type;
    return event;
}

std::optional<Event> from_command(const WindowControls& controls, WPARAM wparam, LPARAM lparam) {
    const int id = LOWORD(wparam);
    const int code = HIWORD(wparam);
    const auto source = reinterpret_cast<HWND>(lparam);
    if (!source)  // menu items
        return main_window_command(id);
    if (source == controls.upper_toolbar || source == controls.lower_toolbar)
        return main_window_command(id);
    if (source == controls.search_field) {
        if (code == EN_CHANGE)
            return control_event(kSearchField, kTextChange);
        return std::nullopt;
    }
    // The image buttons: control numbers share values with commands (13 is
    // also Exit), so they are told apart by their windows, never by the id.
    for (const int control : {kSizeButton, kBackButton, kBookmarksButton, kSearchButton}) {
        if (source != controls.control(control))
            continue;
        if (code == BN_CLICKED)
            return control_event(control, kLeftClick);
        if (code == BN_DOUBLECLICKED)
            return control_event(control, kLeftDoubleClick);
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<Event> from_notify(const WindowControls& controls, LPARAM lparam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lparam);
    if (!header)
        return std::nullopt;
    if (header->hwndFrom && header->hwndFrom == controls.tree.window()) {
        switch (header->code) {
            case NM_CLICK:
                return control_event(kFolderTreeControl, kLeftClick);
            case NM_RCLICK:
                return control_event(kFolderTreeControl, kRightClick);
            default:
                return std::nullopt;
        }
    }
    if (header->hwndFrom && header->hwndFrom == controls.list.window()) {
        switch (header->code) {
            case NM_CLICK:
                return control_event(kFileListControl, kLeftClick);
            case NM_RCLICK:
                return control_event(kFileListControl, kRightClick);
            case NM_DBLCLK:
            case NM_RETURN:
                return control_event(kFileListControl, kLeftDoubleClick);
            case NM_RDBLCLK:
                return control_event(kFileListControl, kRightDoubleClick);
            case LVN_BEGINDRAG:
                return control_event(kFileListControl, kDragStart);
            case LVN_ITEMCHANGED: {
                const auto* change = reinterpret_cast<const NMLISTVIEW*>(lparam);
                // Only a change of the selection counts, not of texts or images.
                if ((change->uChanged & LVIF_STATE) &&
                    ((change->uNewState ^ change->uOldState) & LVIS_SELECTED)) {
                    return control_event(kFileListControl, kSelectionChange);
                }
                return std::nullopt;
            }
            default:
                return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace

Event main_window_command(int command, bool menu_gated) {
    Event event;
    event.kind = EventKind::kCommand;
    event.window = kMainWindowNumber;
    event.command = command;
    event.menu_gated = menu_gated;
    return event;
}

std::optional<Event> event_from_message(const WindowControls& controls, UINT message, WPARAM wparam,
                                        LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            return from_command(controls, wparam, lparam);
        case WM_NOTIFY:
            return from_notify(controls, lparam);
        case kSearchAnswerMessage:
            return control_event(kSearchField, kResultsWaiting);
        case WM_CLOSE: {
            Event event;
            event.kind = EventKind::kClose;
            event.window = kMainWindowNumber;
            return event;
        }
        default:
            return std::nullopt;
    }
}

bool translate_window_keys(WindowState& state, MSG& message) {
    // Only keys meant for the main window or its controls.
    if (!state.main_window ||
        (message.hwnd != state.main_window && !IsChild(state.main_window, message.hwnd)))
        return false;
    if (auto event = key_event(state.window, message, held_modifiers())) {
        post_event(state, std::move(*event));
        return true;
    }
    return type_into_search_field(state, message);
}

void post_event(WindowState& state, Event event) {
    state.events.push(std::move(event));
    if (state.main_window)
        PostMessageW(state.main_window, kEventWaitingMessage, 0, 0);
}

}  // namespace trevalon
