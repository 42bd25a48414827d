// bare_poller.exe: the idle baseline. A window whose thread waits for
// messages, and a second thread doing nothing but what the edge watcher must
// do while the pointer is away from the top edge: read the pointer position,
// wait 100 ms on an event, again (until the benchmark ends the process).
#include <windows.h>

namespace {

DWORD WINAPI poll(void*) {
    HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    for (;;) {
        POINT position;
        GetCursorPos(&position);
        WaitForSingleObject(never, 100);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = instance;
    window_class.lpszClassName = L"BarePollerWindow";
    RegisterClassExW(&window_class);
    HWND window = CreateWindowExW(0, window_class.lpszClassName, L"bare poller",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                  nullptr, instance, nullptr);
    if (!window || !CreateThread(nullptr, 0, poll, nullptr, 0, nullptr))
        return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
