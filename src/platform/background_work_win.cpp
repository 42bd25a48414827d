#include "platform/background_work_win.h"

#include <exception>
#include <optional>
#include <thread>

#include "platform/handles_win.h"
#include "platform/input_messages_win.h"

namespace trevalon {
namespace {

bool belongs_to(HWND window, HWND target) {
    return window && target && (target == window || IsChild(window, target));
}

}  // namespace

void run_while_window_waits(HWND window, const std::function<void()>& work) {
    UniqueHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!done) {
        work();
        return;
    }
    const HWND focus = GetFocus();
    const bool disable = window && IsWindowEnabled(window);
    if (disable)
        EnableWindow(window, FALSE);

    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        SetEvent(done.get());
    });

    std::optional<WPARAM> quit;
    const HANDLE wait_for = done.get();
    while (MsgWaitForMultipleObjects(1, &wait_for, FALSE, INFINITE, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = message.wParam;
                continue;
            }
            if (is_input_message(message.message) && belongs_to(window, message.hwnd))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    worker.join();

    if (disable)
        EnableWindow(window, TRUE);
    if (focus && IsWindow(focus))
        SetFocus(focus);
    if (quit)
        PostQuitMessage(static_cast<int>(*quit));
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace trevalon
