// trevalon_test_helper.exe: a small program the Wine tests start when they
// need a second process.
//
//   fault yes|no|unarmed|clipboard-owner|terminate|terminate-yes ANSWER_FILE EVENT
//       Installs the program's fault handler, divides by zero and answers the
//       report "Yes" or "No" (unarmed: "Yes" without a resume point;
//       clipboard-owner: "Yes" after a window of the faulting thread took the
//       clipboard; terminate: throws a C++ exception nothing catches instead,
//       and answers "No", terminate-yes "Yes"). The message text is written to ANSWER_FILE; the
//       answer waits until the test signals the named event, so it can read the clipboard first.
//       Exit codes: 42 when execution resumed, 44 when it resumed but the clipboard owner's message
//       went unanswered meanwhile, 3 when nothing faulted, else what the handler ended the process
//       with.
//   window CLASS TITLE
//       Shows a top-level window of that class and title until it is closed.
//   recycle PATH
//       Deletes the file or folder with the program's Recycle Bin delete.
//       Exit codes: 0 when it went there, 4 when the place has no Recycle
//       Bin, 5 when the delete failed.
//   hold-clipboard HELD_EVENT RELEASE_EVENT
//       Opens the clipboard with a window of its own (which is what makes
//       other programs wait), signals HELD_EVENT, and keeps it open until
//       RELEASE_EVENT is signalled (at most a minute).
//   dpi
//       Ends with the screen's resolution in dots per inch as its exit code:
//       what a process started now is told.
#include <windows.h>
#include <shellapi.h>

#include <stdexcept>
#include <string>
#include <string_view>

#include "errors/statement_marker.h"
#include "platform/dialogs_win.h"
#include "platform/fault_handler_win.h"
#include "platform/file_ops_win.h"
#include "platform/handles_win.h"
#include "platform/recycle_bin_win.h"
#include "platform/wide_win.h"
#include "texts/text_table.h"
#include "window/ui_resources_win.h"

namespace trevalon {
namespace {

constexpr int kResumedExitCode = 42;
constexpr int kNoFaultExitCode = 3;
constexpr int kUsageExitCode = 2;
constexpr int kMessageUnansweredExitCode = 44;
// The line the helper marks just before it faults; the test expects it.
constexpr int kMarkedLine = 4242;

class HelperDialogs final : public Dialogs {
  public:
    HelperDialogs(bool yes, std::string answer_file, std::string event_name)
        : yes_(yes), answer_file_(std::move(answer_file)), event_name_(std::move(event_name)) {}

    int message_box(std::string_view text, std::string_view, UINT) override {
        write_file_atomically(answer_file_, text);
        UniqueHandle go(OpenEventW(SYNCHRONIZE, FALSE, utf8_to_wide(event_name_).c_str()));
        if (go)
            WaitForSingleObject(go.get(), 60000);
        return yes_ ? IDYES : IDNO;
    }
    std::string input_box(std::string_view, std::string_view, std::string_view) override {
        return {};
    }

  private:
    bool yes_;
    std::string answer_file_;
    std::string event_name_;
};

volatile int g_zero = 0;
volatile int g_numerator = 7;

[[gnu::noinline]] int divide() {
    return g_numerator / g_zero;
}

[[gnu::noinline]] int throw_uncaught() {
    if (g_zero == 0)
        throw std::runtime_error("nobody catches this");
    return 0;
}

bool g_clipboard_taken = false;

LRESULT CALLBACK clipboard_owner_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROYCLIPBOARD)
        g_clipboard_taken = true;
    return DefWindowProcW(window, message, wparam, lparam);
}

// Makes a window of this (the faulting) thread the clipboard's owner, as the
// program's own window is after it copied entries. The report takes the
// clipboard from it, which sends the window a message.
void own_the_clipboard() {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = clipboard_owner_proc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"HelperClipboardOwner";
    RegisterClassExW(&window_class);
    HWND owner = CreateWindowExW(0, window_class.lpszClassName, L"owner", WS_OVERLAPPEDWINDOW, 0, 0,
                                 10, 10, nullptr, nullptr, window_class.hInstance, nullptr);
    if (!owner || !OpenClipboard(owner))
        return;
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof(wchar_t) * 6)) {
        if (void* data = GlobalLock(memory)) {
            memcpy(data, L"owned", sizeof(wchar_t) * 6);
            GlobalUnlock(memory);
        }
        if (!SetClipboardData(CF_UNICODETEXT, memory))
            GlobalFree(memory);
    }
    CloseClipboard();
}

int run_fault(std::string_view mode, const std::string& answer_file,
              const std::string& event_name) {
    load_builtin_texts(texts());
    static HelperDialogs dialogs(mode != "no" && mode != "terminate", answer_file, event_name);
    install_fault_handler(dialogs);
    if (mode == "clipboard-owner")
        own_the_clipboard();
    if (mode == "unarmed") {
        mark_statement(SourceFile::test_helper, kMarkedLine);
        return divide() == 0 ? kNoFaultExitCode : kNoFaultExitCode + 1;
    }
    FaultResumeScope scope;
    if (TREVALON_FAULT_RESUME_POINT() != 0) {
        // The faulting thread must have answered the clipboard owner's
        // message while the report was open, not after it.
        if (mode == "clipboard-owner" && !g_clipboard_taken)
            return kMessageUnansweredExitCode;
        return kResumedExitCode;
    }
    arm_fault_resume_point();
    mark_statement(SourceFile::test_helper, kMarkedLine);
    const int result = mode.starts_with("terminate") ? throw_uncaught() : divide();
    return result == 0 ? kNoFaultExitCode : kNoFaultExitCode + 1;
}

int run_window(const std::wstring& class_name, const std::wstring& title) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = [](HWND window, UINT message, WPARAM wparam,
                                  LPARAM lparam) -> LRESULT {
        if (message == WM_DESTROY)
            PostQuitMessage(0);
        return DefWindowProcW(window, message, wparam, lparam);
    };
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = class_name.c_str();
    RegisterClassExW(&window_class);
    HWND window = CreateWindowExW(0, class_name.c_str(), title.c_str(), WS_OVERLAPPEDWINDOW, 10, 10,
                                  300, 200, nullptr, nullptr, window_class.hInstance, nullptr);
    if (!window)
        return kUsageExitCode;
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

int run_hold_clipboard(const std::wstring& held_event, const std::wstring& release_event) {
    UniqueHandle held(OpenEventW(EVENT_MODIFY_STATE, FALSE, held_event.c_str()));
    UniqueHandle release(OpenEventW(SYNCHRONIZE, FALSE, release_event.c_str()));
    HWND window = CreateWindowExW(0, L"STATIC", L"holder", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10,
                                  nullptr, nullptr, nullptr, nullptr);
    if (!held || !release || !window)
        return kUsageExitCode;
    const ULONGLONG give_up = GetTickCount64() + 30000;
    while (!OpenClipboard(window)) {
        if (GetTickCount64() > give_up)
            return kUsageExitCode;
        Sleep(10);
    }
    SetEvent(held.get());
    const HANDLE waits[] = {release.get()};
    const ULONGLONG end = GetTickCount64() + 60000;
    while (GetTickCount64() < end &&
           MsgWaitForMultipleObjects(1, waits, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    CloseClipboard();
    DestroyWindow(window);
    return 0;
}

}  // namespace
}  // namespace trevalon

int main() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count < 2)
        return trevalon::kUsageExitCode;
    const std::string mode = trevalon::wide_to_utf8(arguments[1]);
    if (mode == "dpi")
        return trevalon::desktop_dpi();
    if (count < 3)
        return trevalon::kUsageExitCode;
    if (mode == "recycle") {
        const std::string path = trevalon::wide_to_utf8(arguments[2]);
        if (!trevalon::recycle_bin_available(path))
            return 4;
        return trevalon::move_to_recycle_bin(path, nullptr) ? 0 : 5;
    }
    if (count < 4)
        return trevalon::kUsageExitCode;
    if (mode == "fault" && count >= 5) {
        return trevalon::run_fault(trevalon::wide_to_utf8(arguments[2]),
                                   trevalon::wide_to_utf8(arguments[3]),
                                   trevalon::wide_to_utf8(arguments[4]));
    }
    if (mode == "window")
        return trevalon::run_window(arguments[2], arguments[3]);
    if (mode == "hold-clipboard")
        return trevalon::run_hold_clipboard(arguments[2], arguments[3]);
    return trevalon::kUsageExitCode;
}
