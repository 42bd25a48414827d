#include "window/pinning_win.h"

#include <algorithm>

#include "platform/companion_win.h"
#include "platform/event.h"
#include "window/window_events_win.h"
#include "window/window_numbers.h"
#include "window/window_state_win.h"

namespace trevalon {

void start_pinning(WindowState& state, std::string_view program_path) {
    UniqueHandle process = run_companion_program(program_path, state.folders.own_temp);
    if (!process || !state.main_window)
        return;
    state.pinning.push_back({std::move(process), std::string(program_path), GetTickCount64()});
    SetTimer(state.main_window, kPinningTimer, kPinningCheckMilliseconds, nullptr);
}

void check_pinning(WindowState& state) {
    const ULONGLONG now = GetTickCount64();
    std::erase_if(state.pinning, [&](const PinningRun& run) {
        if (WaitForSingleObject(run.process.get(), 0) != WAIT_OBJECT_0)
            return now - run.started > kPinningWatchMilliseconds;
        DWORD code = 0;
        if (GetExitCodeProcess(run.process.get(), &code) && code != 0) {
            state.pins_refused.push_back(run.program);
            post_event(state, main_window_command(kPinningRefusedCommand));
        }
        return true;
    });
    if (state.pinning.empty() && state.main_window)
        KillTimer(state.main_window, kPinningTimer);
}

}  // namespace trevalon
