// Pinning a program to the taskbar. The companion program does the pinning
// and is not waited for; the main window looks in on it until it ends, and
// when it could not pin (the shell of current Windows lets no other program
// pin) the loop tells the user how to pin by hand.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/handles_win.h"

namespace trevalon {

struct WindowState;

// The main window's timer that looks in on running companions.
inline constexpr UINT_PTR kPinningTimer = 1017;
inline constexpr UINT kPinningCheckMilliseconds = 250;
// A companion still running after this is no longer watched.
inline constexpr ULONGLONG kPinningWatchMilliseconds = 120'000;

struct PinningRun {
    UniqueHandle process;
    std::string program;  // what it was asked to pin
    ULONGLONG started = 0;
};

// Runs the companion for the program at program_path (writing it out first
// when needed) and watches it.
void start_pinning(WindowState& state, std::string_view program_path);

// On the pinning timer: for each companion that ended without pinning, puts
// its program into state.pins_refused and queues the command that tells the
// user (kPinningRefusedCommand). Ends the timer once nothing runs.
void check_pinning(WindowState& state);

}  // namespace trevalon
