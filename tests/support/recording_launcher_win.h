// A launcher that records what would be started and starts nothing.
#pragma once

#include <string>
#include <vector>

#include "platform/launcher_win.h"

namespace trevalon::test {

struct LaunchRecord {
    std::string kind;  // "start" or the shell verb
    std::string program;
    std::string arguments;
    std::string working_folder;
    int show_command = 0;
    HWND owner = nullptr;  // of a properties sheet
};

class RecordingLauncher final : public Launcher {
  public:
    UniqueHandle start(std::string_view program, std::string_view arguments,
                       std::string_view working_folder, int show_command) override {
        records.push_back({"start", std::string(program), std::string(arguments),
                           std::string(working_folder), show_command});
        return UniqueHandle();
    }
    bool shell_execute(std::string_view verb, std::string_view file, std::string_view arguments,
                       std::string_view working_folder, int show_command) override {
        records.push_back({std::string(verb), std::string(file), std::string(arguments),
                           std::string(working_folder), show_command});
        return shell_execute_answer;
    }
    // Recorded as the verb "properties" with the page as its arguments.
    bool show_properties(HWND owner, std::string_view file, std::string_view page) override {
        records.push_back(
            {"properties", std::string(file), std::string(page), std::string(), 0, owner});
        return shell_execute_answer;
    }

    std::vector<LaunchRecord> records;
    bool shell_execute_answer = true;
};

}  // namespace trevalon::test
