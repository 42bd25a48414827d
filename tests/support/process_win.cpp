#include "support/process_win.h"

#include <cstring>

#include "platform/wide_win.h"

namespace trevalon::test {

DWORD ChildProcess::wait(std::chrono::milliseconds limit) const {
    if (!process)
        return STILL_ACTIVE;
    if (WaitForSingleObject(process.get(), static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) {
        return STILL_ACTIVE;
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.get(), &code);
    return code;
}

void ChildProcess::kill() const {
    if (process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process.get(), 9);
        WaitForSingleObject(process.get(), 10000);
    }
}

std::string build_tree_path(std::string_view path) {
    if (!path.starts_with("/"))
        return std::string(path);
    std::string windows = "Z:";
    for (char c : path)
        windows.push_back(c == '/' ? '\\' : c);
    return windows;
}

ChildProcess start_process(std::string_view program, std::string_view arguments) {
    std::wstring command = L"\"" + utf8_to_wide(program) + L"\"";
    if (!arguments.empty())
        command += L" " + utf8_to_wide(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    ChildProcess child;
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
        child.process.reset(info.hProcess);
        CloseHandle(info.hThread);
        child.id = info.dwProcessId;
    } else {
        child.start_error = GetLastError();
    }
    return child;
}

HWND visible_window_of(DWORD process_id) {
    struct Search {
        DWORD process_id;
        HWND found;
    } search{process_id, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->process_id && IsWindowVisible(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string window_title(HWND window) {
    wchar_t title[1000] = {};
    GetWindowTextW(window, title, 1000);
    return wide_to_utf8(title);
}

std::string clipboard_text() {
    ClipboardSession clipboard;
    if (!clipboard.is_open())
        return {};
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data)
        return {};
    GlobalLockGuard lock(data);
    if (!lock.data())
        return {};
    return wide_to_utf8(static_cast<const wchar_t*>(lock.data()));
}

bool put_clipboard_text(std::string_view text) {
    const std::wstring wide = utf8_to_wide(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!memory)
        return false;
    {
        GlobalLockGuard lock(memory.get());
        if (!lock.data())
            return false;
        std::memcpy(lock.data(), wide.c_str(), bytes);
    }
    ClipboardSession clipboard;
    if (!clipboard.is_open() || !EmptyClipboard() ||
        !SetClipboardData(CF_UNICODETEXT, memory.get())) {
        return false;
    }
    memory.release();
    return true;
}

}  // namespace trevalon::test
