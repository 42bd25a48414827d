#include "shell/event_loop_win.h"

#include <windows.h>

#include "errors/fault_handler_win.h"
#include "errors/statement_marker.h"
#include "settings/settings_store_win.h"
#include "shell/app_win.h"
#include "shell/clock.h"
#include "shell/event.h"
#include "window/main_window_win.h"

namespace trevalon {
namespace {

constexpr auto kMarkerFile = SourceFile::event_loop;

enum class Pass { go_on, end };

// The Exit command: ends the program whatever the close setting says. The
// installer posts it to end a running program cleanly.
constexpr int kExitCommand = 13;

// The event a queued message stands for; kOther for messages the window
// procedures handle themselves.
Event read_event(const App& app, const MSG& message) {
    Event event;
    if (!app.main_window || message.hwnd != app.main_window)
        return event;
    if (message.message == kMainWindowCloseEvent) {
        event.kind = EventKind::kClose;
        event.window = kMainWindowNumber;
    } else if (message.message == WM_COMMAND) {
        event.kind = EventKind::kCommand;
        event.window = kMainWindowNumber;
        event.command = LOWORD(message.wParam);
    }
    return event;
}

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

        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0 || got == -1)
            return;
        const Event event = read_event(app, message);
        if (event.kind == EventKind::kOther) {
            TREVALON_MARK();
            TranslateMessage(&message);
            DispatchMessageW(&message);
        } else if (dispatch(app, event) == Pass::end) {
            return;
        }
        save_settings_when_due(app);
    }
}

}  // namespace trevalon
