// The program's run from process start to the end: start-up in its fixed
// order, the event loop, the shutdown.
#pragma once

#include <windows.h>

namespace trevalon {

class Clock;
class Dialogs;

// Runs the program with the given seams. Returns the exit code when the
// program ends before its window exists (32-bit process, second start, no
// desktop); a regular run ends the process in the exit clean-up.
int run_program(HINSTANCE instance, Dialogs& dialogs, const Clock& clock);

}  // namespace trevalon
