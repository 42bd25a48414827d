// Which window messages are the user's own input: keys and the pointer.
#pragma once

#include <windows.h>

namespace trevalon {

// Key, character, mouse and wheel messages, over the client area or the
// frame. Timers, repaints and the system's own messages are not input.
inline bool is_input_message(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

}  // namespace trevalon
