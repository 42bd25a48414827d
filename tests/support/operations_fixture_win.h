// The state the entry and folder operations run on in Wine tests: the
// program's folders inside a throwaway folder, an own menu to work in, a
// message-only main window (the clipboard's owner), and the test seams.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "commands/app_win.h"
#include "support/fake_clock.h"
#include "support/model_menu_view_win.h"
#include "support/recording_launcher_win.h"
#include "support/scripted_dialogs_win.h"
#include "support/temp_dir.h"

namespace trevalon::test {

class OperationsTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A path inside the own menu ("Games\\a.lnk"); folders end in "\\".
    std::string menu(std::string_view relative) const;
    // Writes a file below the own menu and returns its path.
    std::string menu_file(std::string_view relative, std::string_view content = "x");
    // A shell link below the own menu to target.
    std::string menu_link(std::string_view relative, std::string_view target,
                          std::string_view arguments = {});
    // The texts of the message boxes shown so far, in order.
    std::vector<std::string> messages() const;

    TempDir dir_;
    ScriptedDialogs dialogs_;
    RecordingLauncher launcher_;
    FakeClock clock_{1'800'000'000};
    App app_;
    ModelMenuView view_{app_};
    bool ole_ = false;
};

}  // namespace trevalon::test
