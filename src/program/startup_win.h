// The program's run from process start to the end: start-up in its fixed
// order, the event loop, the shutdown.
#pragma once

#include <windows.h>

namespace trevalon {

class Clock;
class Dialogs;
class Launcher;

// The program's connections to the world that tests replace. They outlive
// the run.
struct Seams {
    Dialogs& dialogs;
    // Asks the fault report's question; never given an owner window, because
    // the owner's thread may be the one the fault stopped.
    Dialogs& fault_dialogs;
    Launcher& launcher;
    const Clock& clock;
};

// Runs the program. Returns the exit code when the program ends before its
// window exists (32-bit process, second start, no desktop); a regular run
// ends the process in the exit clean-up.
int run_program(HINSTANCE instance, const Seams& seams);

}  // namespace trevalon
