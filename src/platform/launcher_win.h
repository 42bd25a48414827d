// Starting programs and shell verbs behind an interface: tests record what
// would be started instead of running it, so no test ever runs a system or
// power action.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/handles_win.h"

namespace trevalon {

class Launcher {
  public:
    virtual ~Launcher() = default;

    // Starts `program` with `arguments` in `working_folder` (empty: the
    // caller's), without waiting. Returns the process handle, empty when the
    // program could not be started (or, in tests, when nothing really runs).
    virtual UniqueHandle start(std::string_view program, std::string_view arguments,
                               std::string_view working_folder, int show_command) = 0;

    // The shell's `verb` ("open", "properties", ...) on a file, program or
    // address, without waiting. Returns whether the shell accepted it; when
    // it did not, the user has seen whatever the shell says about it.
    virtual bool shell_execute(std::string_view verb, std::string_view file,
                               std::string_view arguments, std::string_view working_folder,
                               int show_command) = 0;

    // The shell's properties sheet of `file`, on the page named `page` when
    // one is given, owned by `owner`. True when the shell took the request.
    // Opens the real sheet unless overridden.
    virtual bool show_properties(HWND owner, std::string_view file, std::string_view page);

    // The window the shell's messages belong to from now on (the main window
    // once it exists); test doubles ignore it.
    virtual void set_owner(HWND) {}
};

// The real thing: CreateProcessA and ShellExecuteExA.
class SystemLauncher final : public Launcher {
  public:
    UniqueHandle start(std::string_view program, std::string_view arguments,
                       std::string_view working_folder, int show_command) override;
    bool shell_execute(std::string_view verb, std::string_view file, std::string_view arguments,
                       std::string_view working_folder, int show_command) override;
    void set_owner(HWND owner) override { owner_ = owner; }

  private:
    HWND owner_ = nullptr;
};

}  // namespace trevalon
