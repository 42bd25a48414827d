// trevalon.exe: the resident start-menu window.
#include <windows.h>

#include "base/clock.h"
#include "platform/dialogs_win.h"
#include "platform/launcher_win.h"
#include "program/startup_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The seams live as long as the process: the fault handler keeps the
    // dialogs, and the program ends inside the exit clean-up.
    static trevalon::SystemDialogs dialogs;
    static trevalon::SystemDialogs fault_dialogs;
    static trevalon::SystemLauncher launcher;
    static const trevalon::SystemClock clock;
    return trevalon::run_program(instance, {dialogs, fault_dialogs, launcher, clock});
}
