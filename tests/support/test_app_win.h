// A program state for Wine tests of the operations: folders in a throwaway
// folder, the test seams, the program's fonts and pictures, and a real main
// window built as start-up builds it, shown in the own menu.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "commands/app_win.h"
#include "support/fake_clock.h"
#include "support/recording_launcher_win.h"
#include "support/scripted_dialogs_win.h"
#include "support/temp_dir.h"

namespace trevalon::test {

class TestApp {
  public:
    // Builds and shows the main window; `app().main_window` is null when it
    // could not be built. The pictures come from the built program
    // (TREVALON_EXE_PATH in the Wine test executables).
    explicit TestApp(std::string_view picture_module);
    // Closes the windows, stops the edge watcher and removes the program's
    // registry key and autostart value.
    ~TestApp();
    TestApp(const TestApp&) = delete;
    TestApp& operator=(const TestApp&) = delete;

    App& app() { return *app_; }
    const TempDir& dir() const { return dir_; }

    ScriptedDialogs dialogs;
    RecordingLauncher launcher;
    FakeClock clock;

  private:
    TempDir dir_;
    std::unique_ptr<App> app_;
    UniqueLibrary program_;  // trevalon.exe as data: the embedded pictures
};

// The autostart value named after the program, if there is one.
std::optional<std::string> autostart_value();

}  // namespace trevalon::test
