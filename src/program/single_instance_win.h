// One running program per user: a named mutex, and a second start that brings
// the first one's window forward instead of running.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/handles_win.h"

namespace trevalon {

// Creates the mutex named `name`, owned. Empty when another instance already
// holds that name (or it cannot be created at all).
UniqueHandle claim_single_instance(std::string_view name);

// The running instance's main window: a top-level window of the program's own
// window class whose title contains `title_part`. Matching the class as well
// keeps a browser tab or document that merely mentions the name from being
// taken for the program.
HWND find_instance_window(std::string_view class_name, std::string_view title_part);

// Shows the window in its normal state, also when hidden or minimised, and
// brings it to the foreground.
void bring_instance_forward(HWND window);

}  // namespace trevalon
