// Starting helper programs from Wine tests and waiting for them.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <string_view>

#include "platform/handles_win.h"

namespace trevalon::test {

struct ChildProcess {
    UniqueHandle process;
    DWORD id = 0;
    // The system's error when the process could not be created (then
    // process is empty and wait() answers STILL_ACTIVE).
    DWORD start_error = 0;

    // The exit code once the process ended within the limit; STILL_ACTIVE
    // when it is still running.
    DWORD wait(std::chrono::milliseconds limit = std::chrono::seconds(30)) const;
    // Ends the process if it still runs.
    void kill() const;
};

// A path of the build tree ("/work/…/x.exe") as Windows sees it under Wine
// ("Z:\work\…\x.exe"); Windows paths are returned as they are.
std::string build_tree_path(std::string_view path);

// Starts `program` with the command-line arguments (already quoted as needed).
ChildProcess start_process(std::string_view program, std::string_view arguments = {});

// A visible top-level window of the process, or null.
HWND visible_window_of(DWORD process_id);

// The window's title as UTF-8.
std::string window_title(HWND window);

// The clipboard's text (CF_UNICODETEXT) as UTF-8; empty when it holds none.
std::string clipboard_text();
// Replaces the clipboard's content with the text; true when it is there.
bool put_clipboard_text(std::string_view text);

}  // namespace trevalon::test
