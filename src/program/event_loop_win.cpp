#include "program/event_loop_win.h"

#include <windows.h>

#include <optional>
#include <utility>

#include "base/clock.h"
#include "commands/app_win.h"
#include "errors/statement_marker.h"
#include "platform/event.h"
#include "platform/fault_handler_win.h"
#include "platform/input_messages_win.h"
#include "platform/settings_store_win.h"
#include "program/dispatch_win.h"
#include "window/live_search_win.h"
#include "window/main_window_win.h"
#include "window/settings_window_win.h"
#include "window/window_events_win.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::event_loop;

// The settings window's keys: Tab and Shift+Tab move between its controls,
// Ctrl+Tab between its tabs, Enter confirms, Esc closes (which applies,
// like its close box).
bool settings_window_keys(App& app, MSG& message) {
    HWND window = app.settings_window;
    if (!window || (message.hwnd != window && !IsChild(window, message.hwnd)))
        return false;
    return settings_window_tab_keys(app, message) || IsDialogMessageW(window, &message) != 0;
}

}  // namespace

void save_settings_when_due(App& app) {
    if (app.clock && take_due_save(app.save_schedule, app.clock->now_seconds()))
        save_settings(app);
}

void run_event_loop(App& app) {
    FaultResumeScope resume_scope;
    app.end_requested = false;
    for (;;) {
        // A fault in the last event that the user chose to continue past comes
        // back here; that event is abandoned and the loop goes on.
        if (TREVALON_FAULT_RESUME_POINT() != 0)
            TREVALON_MARK();
        arm_fault_resume_point();

        // Events first, one per pass; each one's wake-up goes with it, so
        // the queue of window messages holds no stale ones.
        if (std::optional<Event> event = app.events.pop()) {
            MSG wake_up{};
            // A wake-up already taken by a menu's own loop leaves none here;
            // the system may then hand out a pending quit instead, which must
            // not be lost.
            if (PeekMessageW(&wake_up, app.main_window, kEventWaitingMessage, kEventWaitingMessage,
                             PM_REMOVE) &&
                wake_up.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(wake_up.wParam));
            }
            dispatch_event(app, *event);
            if (app.end_requested)
                return;
            save_settings_when_due(app);
            continue;
        }

        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1)
            return;
        TREVALON_MARK();
        // A click or a key that leaves the search field acts on the results
        // of the field's whole text, never on those of an older text.
        settle_before_input(app, message);
        if (const std::optional<Event> event = read_settings_window_event(app, message)) {
            dispatch_event(app, *event);
            if (app.end_requested)
                return;
            save_settings_when_due(app);
            continue;
        }
        // Only the user's own input counts beside the events: an idle window
        // still gets timers (the caret's blinking) and repaints, and must not
        // write the file and the registry for them.
        const bool input = is_input_message(message.message);
        if (!translate_window_keys(app, message) && !settings_window_keys(app, message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (input)
            save_settings_when_due(app);
    }
}

}  // namespace trevalon
