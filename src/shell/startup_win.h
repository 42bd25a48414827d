// The program's run from process start to the end: start-up in its fixed
// order, the event loop, the shutdown.
#pragma once

#include <windows.h>

namespace trevalon {

class Clock;
class Dialogs;

// Runs the program with the given seams. `fault_dialogs` asks the fault
// report's question; it must never be given an owner window, because the
// owner's thread may be the one the fault stopped. Returns the exit code when
// the program ends before its window exists (32-bit process, second start, no
// desktop); a regular run ends the process in the exit clean-up.
int run_program(HINSTANCE instance, Dialogs& dialogs, Dialogs& fault_dialogs, const Clock& clock);

}  // namespace trevalon
