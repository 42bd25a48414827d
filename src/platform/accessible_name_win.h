// A control's name for assistive technology, given by the program where the
// system would find none (an edit field without a label beside it): the
// control answers WM_GETOBJECT with the system's own accessible object, its
// name replaced. oleacc is loaded only when a reader asks.
#pragma once

#include <windows.h>

#include <string>

namespace trevalon {

// From now on `control` is called `name` by screen readers; its role, value,
// states and everything else stay the system's.
void set_accessible_name(HWND control, const std::string& name);

}  // namespace trevalon
