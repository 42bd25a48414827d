// One running program per user: a named mutex, and a second start that brings
// the first one's window forward instead of running.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/handles_win.h"

namespace trevalon {

struct InstanceClaim {
    // Another instance holds the name: this start only brings it forward.
    bool another_running = false;
    // The mutex, held for the whole run; empty when another instance runs or
    // when the system could not create it (the program then runs without).
    UniqueHandle mutex;
};

// Creates the mutex named `name`, owned. Only "already exists" and "access
// denied" (a mutex of that name made by another user or at another
// integrity level) mean another instance; any other failure lets this one
// run, since ending silently would leave the user with no program at all.
InstanceClaim claim_single_instance(std::string_view name);

// The rule behind it: whether CreateMutex's result means another instance.
bool means_another_instance(bool created, DWORD error);

// The data folder's lock: a byte of a file in the data folder, locked for
// the whole run by the instance that works in the folder. Unlike the mutex
// it is seen from every session of the user (and across machines sharing a
// roaming folder), so an instance in another session is found.
struct FolderLock {
    // Another instance holds the lock: this one must touch nothing.
    bool held_elsewhere = false;
    // The locked file, held for the whole run; empty when another instance
    // holds it or when it could not be made (the program then runs without).
    UniqueFile file;
};
FolderLock lock_data_folder(std::string_view data_folder);

// The running instance's main window: a top-level window of the program's own
// window class whose title contains `title_part`. Matching the class as well
// keeps a browser tab or document that merely mentions the name from being
// taken for the program.
HWND find_instance_window(std::string_view class_name, std::string_view title_part);

// Shows the window in its normal state, also when hidden or minimised, and
// brings it to the foreground.
void bring_instance_forward(HWND window);

}  // namespace trevalon
