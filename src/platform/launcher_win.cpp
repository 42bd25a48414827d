#include "platform/launcher_win.h"

#include <shellapi.h>

#include "platform/clipboard_win.h"

namespace trevalon {

namespace {

const char* or_null(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

}  // namespace

bool Launcher::show_properties(HWND owner, std::string_view file, std::string_view page) {
    return trevalon::show_properties(owner, file, page);
}

UniqueHandle SystemLauncher::start(std::string_view program, std::string_view arguments,
                                   std::string_view working_folder, int show_command) {
    // The command line names the program first, quoted, so spaces in its path
    // cannot split it; CreateProcess searches the path for a bare name.
    std::string command_line = "\"" + std::string(program) + "\"";
    if (!arguments.empty())
        command_line += " " + std::string(arguments);
    const std::string folder(working_folder);

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show_command);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        or_null(folder), &startup, &info)) {
        return UniqueHandle();
    }
    CloseHandle(info.hThread);
    return UniqueHandle(info.hProcess);
}

bool SystemLauncher::shell_execute(std::string_view verb, std::string_view file,
                                   std::string_view arguments, std::string_view working_folder,
                                   int show_command) {
    const std::string verb_text(verb), file_text(file), arguments_text(arguments),
        folder(working_folder);
    // Without SEE_MASK_FLAG_NO_UI: a missing file, a bad address or a file
    // nothing is registered for gets the shell's own message.
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOASYNC;
    info.hwnd = owner_;
    info.lpVerb = or_null(verb_text);
    info.lpFile = file_text.c_str();
    info.lpParameters = or_null(arguments_text);
    info.lpDirectory = or_null(folder);
    info.nShow = show_command;
    return ShellExecuteExA(&info) != FALSE;
}

}  // namespace trevalon
