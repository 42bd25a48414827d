// Moving the pointer as a mouse does, through the system's input: raw input
// and the other programs hear of it (SetCursorPos moves it silently). Header
// only: the benchmarks move the pointer the same way.
#pragma once

#include <windows.h>

namespace trevalon::test {

inline void move_pointer(int x, int y) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
}

}  // namespace trevalon::test
