#include "shell/event_loop_win.h"

#include <windows.h>

#include <optional>
#include <utility>

#include "errors/fault_handler_win.h"
#include "errors/statement_marker.h"
#include "settings/settings_store_win.h"
#include "shell/app_win.h"
#include "shell/clock.h"
#include "shell/event.h"
#include "window/main_window_win.h"
#include "window/window_events_win.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::event_loop;

enum class Pass { go_on, end };

// The Exit command: ends the program whatever the close setting says. The
// installer posts it to end a running program cleanly.
constexpr int kExitCommand = 13;

Pass dispatch(App& app, const Event& event) {
    TREVALON_MARK();
    if (event.window != kMainWindowNumber)
        return Pass::go_on;
    if (event.kind == EventKind::kCommand && event.command == kExitCommand)
        return Pass::end;
    if (event.kind == EventKind::kClose) {
        if (app.settings.window_close_to_tab_bar < 1)
            return Pass::end;
        ShowWindow(app.main_window, SW_MINIMIZE);
    }
    return Pass::go_on;
}

}  // namespace

void post_event(App& app, Event event) {
    app.events.push(std::move(event));
    if (app.main_window)
        PostMessageW(app.main_window, kEventWaitingMessage, 0, 0);
}

void save_settings_when_due(App& app) {
    if (app.clock && take_due_save(app.save_schedule, app.clock->now_seconds()))
        save_settings(app);
}

void run_event_loop(App& app) {
    FaultResumeScope resume_scope;
    for (;;) {
        // A fault in the last event that the user chose to continue past comes
        // back here; that event is abandoned and the loop goes on.
        if (TREVALON_FAULT_RESUME_POINT() != 0)
            TREVALON_MARK();
        arm_fault_resume_point();

        // Events first, one per pass; each one's wake-up goes with it, so
        // the queue of window messages holds no stale ones.
        if (std::optional<Event> event = app.events.pop()) {
            MSG wake_up;
            PeekMessageW(&wake_up, app.main_window, kEventWaitingMessage, kEventWaitingMessage,
                         PM_REMOVE);
            if (dispatch(app, *event) == Pass::end)
                return;
            save_settings_when_due(app);
            continue;
        }

        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1)
            return;
        TREVALON_MARK();
        if (!translate_window_keys(app, message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        save_settings_when_due(app);
    }
}

}  // namespace trevalon
